# Changes are checked once the editor has sent them all.
file S_T-.txt "[generale]\r\nvelocita,   0,   100\r\naderenza,   0,   100\r\n[stazioni]\r\nstazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\r\n[fine]\r\n"
-> {"jsonrpc":"2.0","method":"initialize","id":1,"params":{"processId":null,"rootUri":null,"capabilities":{}}}
<- {"id":1,"jsonrpc":"2.0","result":{"capabilities":{"codeActionProvider":{"codeActionKinds":["quickfix"]},"completionProvider":{"triggerCharacters":["["]},"documentFormattingProvider":true,"documentSymbolProvider":true,"hoverProvider":true,"positionEncoding":"utf-16","textDocumentSync":{"change":2,"openClose":true}},"serverInfo":{"name":"scenario_tool"}}}
-> {"jsonrpc":"2.0","method":"initialized","params":{}}
-> {"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","languageId":"scenario","version":1,"text":"[generale]\r\nlunghezza percorso,    10000\r\n[pendenze]\r\npendenza,  0,   2\r\npendenza,  4000,   0\r\n[fine]\r\n"}}}
# A flood of changes while more input waits: one check, of the latest text.
->> {"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","version":2},"contentChanges":[{"range":{"start":{"line":3,"character":16},"end":{"line":3,"character":17}},"text":"200"}]}}
->> {"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","version":3},"contentChanges":[{"range":{"start":{"line":3,"character":16},"end":{"line":3,"character":19}},"text":"300"}]}}
->> {"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","version":4},"contentChanges":[{"range":{"start":{"line":3,"character":16},"end":{"line":3,"character":19}},"text":"3"}]}}
-> {"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","version":5},"contentChanges":[{"range":{"start":{"line":3,"character":16},"end":{"line":3,"character":17}},"text":"400"}]}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"value-wraps","message":"gradient 400 lies outside -100 to 155: it does not fit its byte and is stored as 144","range":{"end":{"character":19,"line":3},"start":{"character":16,"line":3}},"severity":2,"source":"scenario_tool"}],"uri":"file://${DIR}/S_linea.txt"}}
-> {"jsonrpc":"2.0","method":"shutdown","id":2}
<- {"id":2,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"exit"}
