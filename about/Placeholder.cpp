// Replaced by the About box sources.
