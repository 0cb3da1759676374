# Columns in a line with letters beyond ASCII.
file S_T-.txt "[generale]\r\nvelocita,   0,   100\r\naderenza,   0,   100\r\n[stazioni]\r\nstazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\r\n[fine]\r\n"
-> {"jsonrpc":"2.0","method":"initialize","id":1,"params":{"processId":null,"rootUri":null,"capabilities":{}}}
<- {"id":1,"jsonrpc":"2.0","result":{"capabilities":{"codeActionProvider":{"codeActionKinds":["quickfix"]},"completionProvider":{"triggerCharacters":["["]},"documentFormattingProvider":true,"documentSymbolProvider":true,"hoverProvider":true,"positionEncoding":"utf-16","textDocumentSync":{"change":2,"openClose":true}},"serverInfo":{"name":"scenario_tool"}}}
-> {"jsonrpc":"2.0","method":"initialized","params":{}}
# The line's leftover field stands after accented letters: its column counts
# UTF-16 units, one per letter, as the editor does.
-> {"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","languageId":"scenario","version":1,"text":"[generale]\r\nlunghezza percorso,    10000\r\n[pendenze]\r\npendenza,  0,   2\r\npendenza,  4000,   0\r\n[indicazioni]\r\ncartello_indicatore,  6000,   (CITTÀ DI CASTELLO),  5\r\n[fine]\r\n"}}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"extra-field","message":"a field more than the record's 2: the rest of the line ('5') is read as the start of another record, not as part of this one","range":{"end":{"character":53,"line":6},"start":{"character":52,"line":6}},"severity":2,"source":"scenario_tool"}],"uri":"file://${DIR}/S_linea.txt"}}
# An edit after the accented letters lands where the editor means it.
-> {"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","version":2},"contentChanges":[{"range":{"start":{"line":6,"character":49},"end":{"line":6,"character":53}},"text":""}]}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file://${DIR}/S_linea.txt"}}
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":2,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":6,"character":24}}}
<- {"id":2,"jsonrpc":"2.0","result":{"contents":{"kind":"markdown","value":"**cartello_indicatore** (indication board), field 1 of 2: `position`\n\nwhere the board stands. Unit: m. Range: 0 up to the route's end.\n\nValue: 6000 m (km 6.000)"},"range":{"end":{"character":26,"line":6},"start":{"character":22,"line":6}}}}
-> {"jsonrpc":"2.0","method":"shutdown","id":3}
<- {"id":3,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"exit"}
