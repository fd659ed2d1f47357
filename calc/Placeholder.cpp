// Replaced by the calculation sources.
