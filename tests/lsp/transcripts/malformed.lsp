# Malformed messages get their JSON-RPC error and the server goes on.
-> {"jsonrpc":"2.0","method":"initialize","id":1,"params":{"processId":null,"rootUri":null,"capabilities":{}}}
<- {"id":1,"jsonrpc":"2.0","result":{"capabilities":{"codeActionProvider":{"codeActionKinds":["quickfix"]},"completionProvider":{"triggerCharacters":["["]},"documentFormattingProvider":true,"documentSymbolProvider":true,"hoverProvider":true,"positionEncoding":"utf-16","textDocumentSync":{"change":2,"openClose":true}},"serverInfo":{"name":"scenario_tool"}}}
-> {"jsonrpc":"2.0","method":"initialized","params":{}}
# Not JSON: a parse error, and the server goes on.
-> {"jsonrpc": "2.0", "id": 5, "method": 
<- {"error":{"code":-32700,"message":"the message is no JSON"},"id":null,"jsonrpc":"2.0"}
# No method; an array (batches are not in the protocol); a bad id.
-> {"jsonrpc": "2.0", "id": 6}
<- {"error":{"code":-32600,"message":"a message needs a method"},"id":6,"jsonrpc":"2.0"}
-> [1, 2, 3]
<- {"error":{"code":-32600,"message":"a message needs a method"},"id":null,"jsonrpc":"2.0"}
-> {"jsonrpc": "2.0", "id": [1], "method": "shutdown"}
<- {"error":{"code":-32600,"message":"a bad id"},"id":null,"jsonrpc":"2.0"}
# Parameters that miss what the method needs.
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":8,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"}}}
<- {"error":{"code":-32602,"message":"bad parameters: [json.exception.out_of_range.403] key 'position' not found"},"id":8,"jsonrpc":"2.0"}
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":9,"params":{"textDocument":{"uri":7},"position":{"line":0,"character":0}}}
<- {"error":{"code":-32602,"message":"bad parameters: [json.exception.type_error.302] type must be string, but is number"},"id":9,"jsonrpc":"2.0"}
# A notification with bad parameters gets no reply.
-> {"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"}}}
# Still serving.
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":10,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":0,"character":0}}}
<- {"id":10,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"shutdown","id":11}
<- {"id":11,"jsonrpc":"2.0","result":null}
-> {"jsonrpc":"2.0","method":"exit"}
