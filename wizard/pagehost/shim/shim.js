// shim
