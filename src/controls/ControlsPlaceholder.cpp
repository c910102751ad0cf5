// Replaced as soon as the library has its first real source.
