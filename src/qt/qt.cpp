namespace tavo {}
