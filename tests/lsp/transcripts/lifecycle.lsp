# The protocol's lifecycle: initialize, shutdown, exit.
# A request before initialize is refused; then the handshake.
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":7,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":0,"character":0}}}
<- {"error":{"code":-32002,"message":"initialize first"},"id":7,"jsonrpc":"2.0"}
-> {"jsonrpc":"2.0","method":"initialize","id":1,"params":{"processId":null,"rootUri":null,"capabilities":{}}}
<- {"id":1,"jsonrpc":"2.0","result":{"capabilities":{"codeActionProvider":{"codeActionKinds":["quickfix"]},"completionProvider":{"triggerCharacters":["["]},"documentFormattingProvider":true,"documentSymbolProvider":true,"hoverProvider":true,"positionEncoding":"utf-16","textDocumentSync":{"change":2,"openClose":true}},"serverInfo":{"name":"scenario_tool"}}}
-> {"jsonrpc":"2.0","method":"initialized","params":{}}
# A method the server does not have; a notification it does not know is passed over.
-> {"jsonrpc":"2.0","method":"workspace/symbol","id":2,"params":{"query":""}}
<- {"error":{"code":-32601,"message":"no such method: workspace/symbol"},"id":2,"jsonrpc":"2.0"}
-> {"jsonrpc":"2.0","method":"$/setTrace","params":{"value":"off"}}
-> {"jsonrpc":"2.0","method":"shutdown","id":3}
<- {"id":3,"jsonrpc":"2.0","result":null}
# After shutdown every request is refused.
-> {"jsonrpc":"2.0","method":"textDocument/hover","id":4,"params":{"textDocument":{"uri":"file://${DIR}/S_linea.txt"},"position":{"line":0,"character":0}}}
<- {"error":{"code":-32600,"message":"the server is shutting down"},"id":4,"jsonrpc":"2.0"}
-> {"jsonrpc":"2.0","method":"exit"}
