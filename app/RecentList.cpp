#include "app/RecentList.h"
#include <algorithm>

namespace zavra {

bool AddRecent(std::vector<uint32_t>& list, uint32_t id, uint32_t maxCount) {
  if (id == 0 || maxCount == 0) return false;
  RemoveRecent(list, id);
  list.push_back(id);
  CutRecent(list, maxCount);
  return true;
}

bool RemoveRecent(std::vector<uint32_t>& list, uint32_t id) {
  const auto end = std::remove(list.begin(), list.end(), id);
  const bool changed = end != list.end();
  list.erase(end, list.end());
  return changed;
}

bool CutRecent(std::vector<uint32_t>& list, uint32_t maxCount) {
  if (list.size() <= maxCount) return false;
  list.erase(list.begin(), list.end() - maxCount);
  return true;
}

}  // namespace zavra
