# Diagnostics of a scenario's two files from one check.
# The train description waits on disk, with a speed off its step.
file S_T-.txt "[generale]\r\nvelocita,   0,   102\r\naderenza,   0,   100\r\n[stazioni]\r\nstazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\r\n[fine]\r\n"
-> {"jsonrpc":"2.0","method":"initialize","id":1,"params":{"processId":null,"rootUri":null,"capabilities":{}}}
<- {"id":1,"jsonrpc":"2.0","result":{"capabilities":{"codeActionProvider":{"codeActionKinds":["quickfix"]},"completionProvider":{"triggerCharacters":["["]},"documentFormattingProvider":true,"documentSymbolProvider":true,"hoverProvider":true,"positionEncoding":"utf-16","textDocumentSync":{"change":2,"openClose":true}},"serverInfo":{"name":"scenario_tool"}}}
-> {"jsonrpc":"2.0","method":"initialized","params":{}}
# Opening the line with a misspelt keyword publishes for both files of the scenario.
-> {"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","languageId":"scenario","version":1,"text":"[generale]\r\nlunghezza percorso,    10000\r\n[pendenze]\r\npendenza,  0,   2\r\npendenze,  4000,   0\r\n[fine]\r\n"}}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"not-a-multiple","message":"speed 102 is not a multiple of 5: it is stored as 100","range":{"end":{"character":20,"line":1},"start":{"character":17,"line":1}},"severity":2,"source":"scenario_tool"}],"uri":"file://${DIR}/S_T-.txt"}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"unknown-keyword","message":"unknown keyword 'pendenze': the line description has no such record and the compile passes over it; did you mean 'pendenza'?","range":{"end":{"character":8,"line":4},"start":{"character":0,"line":4}},"severity":2,"source":"scenario_tool"}],"uri":"file://${DIR}/S_linea.txt"}}
# Mending it clears the line's diagnostic; the train's stays.
-> {"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt","version":2},"contentChanges":[{"range":{"start":{"line":4,"character":0},"end":{"line":4,"character":8}},"text":"pendenza"}]}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"not-a-multiple","message":"speed 102 is not a multiple of 5: it is stored as 100","range":{"end":{"character":20,"line":1},"start":{"character":17,"line":1}},"severity":2,"source":"scenario_tool"}],"uri":"file://${DIR}/S_T-.txt"}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[],"uri":"file://${DIR}/S_linea.txt"}}
# An error with a note: two signals in one cell, the train opened too.
-> {"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://${DIR}/S_T-.txt","languageId":"scenario","version":1,"text":"[generale]\r\nvelocita,   0,   100\r\naderenza,   0,   100\r\n[stazioni]\r\nstazione,    2000,  12,  400,  0, 0, 0,  0,0,0,  0,0,0,    8,   0, 0, 0, PRIMA\r\n[segnali]\r\nsegnale,    3050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\nsegnale,    3060,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n[fine]\r\n"}}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":16,"message":"the cell of this signal at 3060 m (cell 62) is already taken (scenario_tool explain 16)","range":{"end":{"character":16,"line":7},"start":{"character":12,"line":7}},"relatedInformation":[{"location":{"range":{"end":{"character":7,"line":6},"start":{"character":0,"line":6}},"uri":"file://${DIR}/S_T-.txt"},"message":"cell 62 is taken by this record"}],"severity":1,"source":"scenario_tool"}],"uri":"file://${DIR}/S_T-.txt"}}
# A whole-file warning stands at the start: the train's stations removed.
-> {"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://${DIR}/S_T-.txt","version":2},"contentChanges":[{"text":"[generale]\r\nvelocita,   0,   100\r\n[fine]\r\n"}]}}
<- {"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"no-station","message":"the train description has no station: the scenario has no stop","range":{"end":{"character":0,"line":0},"start":{"character":0,"line":0}},"severity":2,"source":"scenario_tool"}],"uri":"file://${DIR}/S_T-.txt"}}
-> {"jsonrpc":"2.0","method":"shutdown","id":2}
<- {"id":2,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"exit"}
