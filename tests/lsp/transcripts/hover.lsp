# Hover answers from the records table.
file S_T-.txt "[generale]\r\nvelocita,   0,   100\r\naderenza,   0,   100\r\n[stazioni]\r\nstazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\r\n[fine]\r\n"
-> {"jsonrpc":"2.0","method":"initialize","id":1,"params":{"processId":null,"rootUri":null,"capabilities":{}}}
<- {"id":1,"jsonrpc":"2.0","result":{"capabilities":{"codeActionProvider":{"codeActionKinds":["quickfix"]},"completionProvider":{"triggerCharacters":["["]},"documentFormattingProvider":true,"documentSymbolProvider":true,"hoverProvider":true,"positionEncoding":"utf-16","textDocumentSync":{"change":2,"openClose":true}},"serverInfo":{"name":"scenario_tool"}}}
-> {"jsonrpc":"2.0","method":"initialized","params":{}}
-> {"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","languageId":"scenario","version":1,"text":"[generale]\r\nlunghezza percorso,    10000\r\n[pendenze]\r\npendenza,  0,   2\r\npendenza,  4000,   200\r\n[fine]\r\n"}}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"value-wraps","message":"gradient 200 lies outside -100 to 155: it does not fit its byte and is stored as -56","range":{"end":{"character":22,"line":4},"start":{"character":19,"line":4}},"severity":2,"source":"scenario_tool"}],"uri":"file://${DIR}/S_linea.txt"}}
# On the keyword: the record; on a field: its meaning, range and value.
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":2,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":3,"character":3}}}
<- {"id":2,"jsonrpc":"2.0","result":{"contents":{"kind":"markdown","value":"**pendenza** (gradient, in [pendenze])\n\nOne step of the gradient profile: the gradient from this position up to the next gradient record.\n\nFields: `position`, `gradient`\n\nExample: `pendenza,  18000,   12`"},"range":{"end":{"character":8,"line":3},"start":{"character":0,"line":3}}}}
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":3,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":4,"character":12}}}
<- {"id":3,"jsonrpc":"2.0","result":{"contents":{"kind":"markdown","value":"**pendenza** (gradient), field 1 of 2: `position`\n\nwhere the gradient begins. Unit: m. Range: 0 up to the route's end, increasing.\n\nValue: 4000 m (km 4.000)"},"range":{"end":{"character":15,"line":4},"start":{"character":11,"line":4}}}}
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":4,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":4,"character":19}}}
<- {"id":4,"jsonrpc":"2.0","result":{"contents":{"kind":"markdown","value":"**pendenza** (gradient), field 2 of 2: `gradient`\n\nthe gradient, rising above 0, falling below. Unit: per mille. Range: -100 to 155.\n\nValue: +200 per mille (outside its range)"},"range":{"end":{"character":22,"line":4},"start":{"character":19,"line":4}}}}
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":5,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":1,"character":25}}}
<- {"id":5,"jsonrpc":"2.0","result":{"contents":{"kind":"markdown","value":"**lunghezza percorso** (line length), field 1 of 1: `length`\n\nlength of the line from its start. Unit: m. Range: 0 to 1000000.\n\nValue: 10000 m (km 10.000)"},"range":{"end":{"character":28,"line":1},"start":{"character":23,"line":1}}}}
# Nothing on a section header or beyond the text.
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":6,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":2,"character":3}}}
<- {"id":6,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":7,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":40,"character":3}}}
<- {"id":7,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"shutdown","id":8}
<- {"id":8,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"exit"}
