# Win32 part of the framework; the sources are listed as they are written.
