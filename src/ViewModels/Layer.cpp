// The view-model layer; its classes arrive with the screens they serve.
