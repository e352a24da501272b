// Keeps the core library non-empty while a folder has no portable files yet.
namespace zavra { int coreAnchor = 0; }
