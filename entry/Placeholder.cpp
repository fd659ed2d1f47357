// Replaced by the data entry sources.
