# A file whose partner is not beside it.
-> {"jsonrpc":"2.0","method":"initialize","id":1,"params":{"processId":null,"rootUri":null,"capabilities":{}}}
<- {"id":1,"jsonrpc":"2.0","result":{"capabilities":{"codeActionProvider":{"codeActionKinds":["quickfix"]},"completionProvider":{"triggerCharacters":["["]},"documentFormattingProvider":true,"documentSymbolProvider":true,"hoverProvider":true,"positionEncoding":"utf-16","textDocumentSync":{"change":2,"openClose":true}},"serverInfo":{"name":"scenario_tool"}}}
-> {"jsonrpc":"2.0","method":"initialized","params":{}}
# A line description with no train beside it: its own diagnostics, nothing of the missing train.
-> {"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","languageId":"scenario","version":1,"text":"[generale]\r\nlunghezza percorso,    10000\r\n[pendenze]\r\npendenza,  0,   2\r\npendenze,  4000,   0\r\n[fine]\r\n"}}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"unknown-keyword","message":"unknown keyword 'pendenze': the line description has no such record and the compile passes over it; did you mean 'pendenza'?","range":{"end":{"character":8,"line":4},"start":{"character":0,"line":4}},"severity":2,"source":"scenario_tool"}],"uri":"file://${DIR}/S_linea.txt"}}
# A train description with no line beside it: one hint, no cascade.
-> {"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://${DIR}/X_T-.txt","languageId":"scenario","version":1,"text":"[generale]\r\nvelocita,   0,   100\r\naderenza,   0,   100\r\n[stazioni]\r\nstazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\r\n[fine]\r\n"}}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"message":"no line description beside this file (NAME_linea.txt for NAME_T-.txt): a train description is checked together with its line","range":{"end":{"character":0,"line":0},"start":{"character":0,"line":0}},"severity":3,"source":"scenario_tool"}],"uri":"file://${DIR}/X_T-.txt"}}
-> {"jsonrpc":"2.0","method":"shutdown","id":2}
<- {"id":2,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"exit"}
