// The precompiled headers are built beside this otherwise empty file.
