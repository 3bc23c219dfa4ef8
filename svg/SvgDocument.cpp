// Implemented in a later commit.
