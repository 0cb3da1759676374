# Formatting, as scenario_tool fmt formats.
file S_T-.txt "[generale]\r\nvelocita,   0,   100\r\naderenza,   0,   100\r\n[stazioni]\r\nstazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\r\n[fine]\r\n"
-> {"jsonrpc":"2.0","method":"initialize","id":1,"params":{"processId":null,"rootUri":null,"capabilities":{}}}
<- {"id":1,"jsonrpc":"2.0","result":{"capabilities":{"codeActionProvider":{"codeActionKinds":["quickfix"]},"completionProvider":{"triggerCharacters":["["]},"documentFormattingProvider":true,"documentSymbolProvider":true,"hoverProvider":true,"positionEncoding":"utf-16","textDocumentSync":{"change":2,"openClose":true}},"serverInfo":{"name":"scenario_tool"}}}
-> {"jsonrpc":"2.0","method":"initialized","params":{}}
-> {"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","languageId":"scenario","version":1,"text":"[generale]\r\nlunghezza percorso, 10000\r\n[pendenze]\r\npendenza,0,2\r\n\r\n\r\npendenza,     4000,   0\r\n[fine]\r\n"}}}
# One edit over the whole text, the records laid out as fmt lays them.
-> {"jsonrpc":"2.0","method":"textDocument/formatting","id":2,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"options":{"tabSize":4,"insertSpaces":true}}}
<- {"id":2,"jsonrpc":"2.0","result":[{"newText":"[generale]\r\nlunghezza percorso,   10000\r\n[pendenze]\r\npendenza,       0,   2\r\n\r\npendenza,    4000,   0\r\n[fine]\r\n","range":{"end":{"character":0,"line":8},"start":{"character":0,"line":0}}}]}
# A text already in its layout gets no edit.
-> {"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","version":2},"contentChanges":[{"text":"[generale]\r\nlunghezza percorso,   10000\r\n[fine]\r\n"}]}}
-> {"jsonrpc":"2.0","method":"textDocument/formatting","id":3,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"options":{"tabSize":4,"insertSpaces":true}}}
<- {"id":3,"jsonrpc":"2.0","result":[]}
-> {"jsonrpc":"2.0","method":"shutdown","id":4}
<- {"id":4,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"exit"}
