// The source the build's precompiled headers are made with; it holds nothing of its own.
