// Keeps a folder's Win32 library non-empty while it has no Win32 files yet.
namespace zavra { int winAnchor = 0; }
