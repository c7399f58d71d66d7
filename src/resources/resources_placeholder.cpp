// placeholder until the resource scripts exist
