// The view layer; its widgets arrive with the screens they draw.
