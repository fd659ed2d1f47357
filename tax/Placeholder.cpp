// Replaced by the tax sources.
