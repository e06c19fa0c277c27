// The library that carries the compiled translations as Qt resources; Qt's resource
// machinery needs at least one source file of its own to hang them on.
