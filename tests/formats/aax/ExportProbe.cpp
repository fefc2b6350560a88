// The shared object built from this file holds nothing of its own: it links the
// AAX library whole, as the plug-in's shared object does, so that the export
// tests can load it the way a host would and look the entry points up by name.
