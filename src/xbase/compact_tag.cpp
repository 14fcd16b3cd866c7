#include "compact_tag.h"

#include <cstring>

#include "byte_order.h"
#include "error.h"

namespace xbase {

namespace {

constexpr int kMaxDepth = 32;  // far beyond any real tree; stops pointer loops
constexpr std::size_t kBuildRunBytes = 1024 * 1024;

}  // namespace

TagHeader readTagHeader(IndexPages& pages, uint32_t offset, const std::string& what) {
  auto bad = [&](const std::string& why) { return CorruptFileError(pages.path(), what + ": " + why); };
  if (offset % kIndexPageSize != 0 || uint64_t(offset) + kTagHeaderSize > pages.size())
    throw bad("its header lies outside the file");
  char h[kTagHeaderSize];
  std::memcpy(h, pages.read(offset), kIndexPageSize);
  std::memcpy(h + kIndexPageSize, pages.read(offset + kIndexPageSize), kIndexPageSize);
  TagHeader t;
  t.root = getLE32(h);
  t.keyLength = getLE16(h + 12);
  t.options = uint8_t(h[14]);
  t.descending = getLE16(h + 502) != 0;
  if (!(t.options & kOptionCompact)) throw bad("not a compact index tag");
  if (t.keyLength < 1 || t.keyLength > kMaxKeyLength) throw bad("its key length is out of range");
  if (t.root == 0 || t.root % kIndexPageSize != 0 || uint64_t(t.root) + kIndexPageSize > pages.size())
    throw bad("its root page lies outside the file");
  const char* pool = h + 512;
  auto text = [&](uint16_t pos, uint16_t len) {
    if (len <= 1 || pos >= 512) return std::string();
    std::size_t end = pos;
    while (end < 512 && pool[end] != '\0' && end - pos < len) ++end;
    return std::string(pool + pos, end - pos);
  };
  t.expression = text(getLE16(h + 508), getLE16(h + 510));
  t.forExpression = text(getLE16(h + 504), getLE16(h + 506));
  if (!(t.options & kOptionDirectory) && t.expression.empty()) throw bad("it has no key expression");
  return t;
}

void writeTagHeader(IndexPages& pages, uint32_t offset, const TagHeader& t) {
  std::string h(kTagHeaderSize, '\0');
  putLE32(h.data(), t.root);
  putLE16(h.data() + 12, t.keyLength);
  h[14] = char(t.options);
  h[15] = 1;
  putLE16(h.data() + 502, t.descending ? 1 : 0);
  std::size_t keyLen = std::min<std::size_t>(t.expression.size(), 255);
  std::size_t forLen = std::min<std::size_t>(t.forExpression.size(), 510 - keyLen - 2);
  bool directory = t.options & kOptionDirectory;
  putLE16(h.data() + 504, uint16_t(directory ? 1 : keyLen + 1));
  putLE16(h.data() + 506, uint16_t(forLen + 1));
  putLE16(h.data() + 508, 0);
  putLE16(h.data() + 510, uint16_t(keyLen + 1));
  std::memcpy(h.data() + 512, t.expression.data(), keyLen);
  std::memcpy(h.data() + 512 + keyLen + 1, t.forExpression.data(), forLen);
  pages.writeRun(offset, h);
}

CompactTag::CompactTag(IndexPages& pages, uint32_t headerOffset, TagHeader header, KeySpec keyForm, std::string name)
    : pages_(pages), headerOffset_(headerOffset), header_(std::move(header)), spec_(keyForm), name_(std::move(name)) {}

void CompactTag::corrupt(const std::string& why) const {
  throw CorruptFileError(pages_.path(), "tag " + name_ + ": damaged index: " + why);
}

uint32_t CompactTag::createEmpty(IndexPages& pages, TagHeader header) {
  uint32_t offset = pages.allocate(2);
  uint32_t root = pages.allocate(1);
  LeafBuilder empty(header.keyLength, ' ');
  char page[kIndexPageSize];
  empty.finish(kAttrRoot | kAttrLeaf, kNoPage, kNoPage, page);
  header.root = root;
  writeTagHeader(pages, offset, header);
  pages.write(root, page);
  return offset;
}

uint32_t CompactTag::buildTree(IndexPages& pages, const KeySpec& keyForm, const EntrySource& next) {
  const uint16_t L = keyForm.length;
  struct Child {
    std::string key;
    uint32_t recno;
    uint32_t page;
  };
  std::vector<Child> level;  // the last entry of every page written on the level below
  std::string run;           // pages waiting to be written, starting at runStart
  uint32_t runStart = 0;
  auto flush = [&] {
    if (!run.empty()) pages.writeRun(runStart, run);
    run.clear();
  };
  auto emit = [&](uint32_t offset, const char* page) {
    if (run.empty()) runStart = offset;
    run.append(page, kIndexPageSize);
    if (run.size() >= kBuildRunBytes) flush();
  };

  // Leaves, each linked to the page allocated right after it.
  LeafBuilder builder(L, keyForm.fill());
  char page[kIndexPageSize];
  uint32_t current = pages.allocate(1), previous = kNoPage;
  std::size_t leaves = 0;
  const char* key = nullptr;
  uint32_t recno = 0;
  bool more = next(key, recno);
  while (true) {
    while (more && builder.tryAdd(key, recno)) more = next(key, recno);
    if (builder.count() == 0 && more) throw Error(pages.path(), "an index key does not fit a page");
    uint32_t following = more ? pages.allocate(1) : kNoPage;
    bool onlyPage = leaves == 0 && !more;
    builder.finish(onlyPage ? kAttrRoot | kAttrLeaf : kAttrLeaf, previous, following, page);
    if (builder.count()) level.push_back({std::string(builder.lastKey(), L), builder.lastRecno(), current});
    emit(current, page);
    ++leaves;
    if (onlyPage) {
      flush();
      return current;
    }
    if (!more) break;
    previous = current;
    current = following;
    builder.reset();
  }

  // Interior levels until one page holds them all; entries are spread evenly
  // over each level's pages.
  const std::size_t capacity = interiorCapacity(L);
  while (true) {
    std::vector<Child> above;
    const std::size_t count = level.size();
    const std::size_t pagesHere = (count + capacity - 1) / capacity;
    const uint32_t firstPage = pages.allocate(uint32_t(pagesHere));
    std::size_t from = 0;
    for (std::size_t p = 0; p < pagesHere; ++p) {
      std::size_t to = count * (p + 1) / pagesHere;
      IndexNode node;
      node.attributes = pagesHere == 1 ? kAttrRoot : 0;
      node.left = p == 0 ? kNoPage : firstPage + uint32_t(p - 1) * kIndexPageSize;
      node.right = p + 1 == pagesHere ? kNoPage : firstPage + uint32_t(p + 1) * kIndexPageSize;
      for (std::size_t i = from; i < to; ++i) {
        node.keys.append(level[i].key);
        node.recnos.push_back(level[i].recno);
        node.children.push_back(level[i].page);
      }
      encodeInterior(node, L, page);
      uint32_t offset = firstPage + uint32_t(p) * kIndexPageSize;
      emit(offset, page);
      above.push_back({level[to - 1].key, level[to - 1].recno, offset});
      from = to;
    }
    level.swap(above);
    if (level.size() == 1) {
      flush();
      return level[0].page;
    }
  }
}

void CompactTag::replaceTree(uint32_t root) {
  header_.root = root;
  char rootField[4];
  putLE32(rootField, root);
  pages_.file().writeAt(headerOffset_, rootField, 4);
  pages_.clearCache();
  cachedLeaf_ = 0;
  ++version_;
}

int CompactTag::compare(const char* a, uint32_t ra, const char* b, std::size_t significant, uint32_t rb) const {
  int c = std::memcmp(a, b, significant);
  if (c) return c < 0 ? -1 : 1;
  if (significant < spec_.length) return 0;
  return ra < rb ? -1 : (ra > rb ? 1 : 0);
}

void CompactTag::loadNode(uint32_t offset, IndexNode& node) {
  decodeIndexNode(pages_.read(offset), spec_.length, spec_.fill(), pages_.path(), node);
}

const IndexNode& CompactTag::leaf(uint32_t offset) {
  if (cachedLeaf_ != offset) {
    cachedLeaf_ = 0;
    loadNode(offset, cachedNode_);
    if (!cachedNode_.leaf()) corrupt("a leaf pointer leads to an interior page");
    cachedLeaf_ = offset;
  }
  return cachedNode_;
}

std::vector<CompactTag::PathStep> CompactTag::descend(const char* key, std::size_t significant, uint32_t recno,
                                                      uint32_t& leafOut) {
  std::vector<PathStep> path;
  uint32_t page = header_.root;
  const std::size_t L = spec_.length;
  std::size_t n = 0;
  for (int depth = 0;; ++depth) {
    const char* raw = interior(page, depth, n);
    if (!raw) {
      leafOut = page;
      return path;
    }
    std::size_t lo = 0, hi = n;  // first entry >= target
    while (lo < hi) {
      std::size_t mid = (lo + hi) / 2;
      const char* e = raw + kInteriorHeaderSize + mid * (L + 8);
      if (compare(e, getBE32(e + L), key, significant, recno) < 0) lo = mid + 1;
      else hi = mid;
    }
    std::size_t i = lo < n ? lo : n - 1;
    path.push_back({page, i});
    page = childAt(raw, i);
  }
}

CompactTag::Position CompactTag::lowerBound(const char* key, std::size_t significant, uint32_t recno) {
  uint32_t leafOffset = 0;
  descend(key, significant, recno, leafOffset);
  const IndexNode& node = leaf(leafOffset);
  std::size_t lo = 0, hi = node.count();
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (compare(node.key(mid, spec_.length), node.recnos[mid], key, significant, recno) < 0) lo = mid + 1;
    else hi = mid;
  }
  if (lo < node.count()) return {leafOffset, uint32_t(lo)};
  if (node.count() == 0) return {};
  return next({leafOffset, uint32_t(node.count() - 1)});
}

const char* CompactTag::interior(uint32_t page, int depth, std::size_t& count) {
  if (depth > kMaxDepth) corrupt("the tree is deeper than any real index (a pointer loop?)");
  if (page == 0) corrupt("a page pointer is zero");
  const char* raw = pages_.read(page);
  if (getLE16(raw) & kAttrLeaf) return nullptr;
  count = getLE16(raw + 2);
  if (count == 0 || count > interiorCapacity(spec_.length)) corrupt("an interior page has a bad key count");
  return raw;
}

uint32_t CompactTag::childAt(const char* interiorPage, std::size_t i) const {
  return getBE32(interiorPage + kInteriorHeaderSize + i * (spec_.length + 8u) + spec_.length + 4);
}

uint32_t CompactTag::edgeLeaf(bool leftmost) {
  uint32_t page = header_.root;
  std::size_t n = 0;
  for (int depth = 0;; ++depth) {
    const char* raw = interior(page, depth, n);
    if (!raw) return page;
    page = childAt(raw, leftmost ? 0 : n - 1);
  }
}

CompactTag::Position CompactTag::first() {
  uint32_t page = edgeLeaf(true);
  const IndexNode& node = leaf(page);
  if (node.count() == 0) return node.right == kNoPage ? Position{} : next({page, 0});
  return {page, 0};
}

CompactTag::Position CompactTag::last() {
  uint32_t page = edgeLeaf(false);
  const IndexNode& node = leaf(page);
  if (node.count() == 0) return node.left == kNoPage ? Position{} : previous({page, 0});
  return {page, uint32_t(node.count() - 1)};
}

CompactTag::Position CompactTag::next(Position p) { return step(p, true); }
CompactTag::Position CompactTag::previous(Position p) { return step(p, false); }

CompactTag::Position CompactTag::step(Position p, bool forward) {
  if (p.page == 0) return {};
  const std::size_t L = spec_.length;
  const IndexNode* node = &leaf(p.page);
  if (forward && p.index + 1 < node->count()) return {p.page, p.index + 1};
  if (!forward && p.index > 0 && p.index <= node->count()) return {p.page, p.index - 1};
  // Crossing into a sibling leaf: its links must point back, and its keys
  // must go on in order, or a damaged file could send us round in circles.
  std::string edgeKey;
  uint32_t edgeRecno = 0;
  const bool haveEdge = p.index < node->count();
  if (haveEdge) {
    edgeKey.assign(node->key(p.index, L), L);
    edgeRecno = node->recnos[p.index];
  }
  uint32_t from = p.page;
  const uint64_t maxSteps = pages_.size() / kIndexPageSize;
  for (uint64_t hop = 0; hop <= maxSteps; ++hop) {
    uint32_t to = forward ? node->right : node->left;
    if (to == kNoPage) return {};
    if (to == 0) corrupt("a sibling pointer is zero");
    node = &leaf(to);
    if ((forward ? node->left : node->right) != from) corrupt("sibling links disagree");
    if (node->count() == 0) {
      from = to;
      continue;
    }
    std::size_t i = forward ? 0 : node->count() - 1;
    // Without a key at the start position there is nothing to compare with.
    if (haveEdge) {
      const int order = compare(node->key(i, L), node->recnos[i], edgeKey.data(), L, edgeRecno);
      if (forward ? order <= 0 : order >= 0) corrupt("keys out of order between leaves");
    }
    return {to, uint32_t(i)};
  }
  corrupt("a loop in the sibling pointers");
}

const char* CompactTag::keyAt(Position p) { return leaf(p.page).key(p.index, spec_.length); }
uint32_t CompactTag::recnoAt(Position p) { return leaf(p.page).recnos[p.index]; }

void CompactTag::walk(const std::function<void(const char* key, uint32_t recno)>& visit) {
  std::string previousKey;
  uint32_t previousRecno = 0;
  bool any = false;
  for (Position p = first(); p.page; p = next(p)) {
    const IndexNode& node = leaf(p.page);
    const char* key = node.key(p.index, spec_.length);
    uint32_t recno = node.recnos[p.index];
    if (any && compare(key, recno, previousKey.data(), spec_.length, previousRecno) <= 0)
      corrupt("keys out of order in a leaf");
    previousKey.assign(key, spec_.length);
    previousRecno = recno;
    any = true;
    visit(key, recno);
  }
}

bool CompactTag::encodeLeaf(const IndexNode& node, std::size_t from, std::size_t to, char* page) {
  LeafBuilder b(spec_.length, spec_.fill());
  // Entries before the first edit keep the counts they were decoded with;
  // only the rest are compressed afresh.
  const std::size_t reuse = from == 0 ? std::min(node.validCounts, to) : 0;
  for (std::size_t i = from; i < to; ++i) {
    bool added = i < reuse ? b.tryAddEncoded(node.key(i, spec_.length), node.recnos[i], node.dups[i], node.trails[i])
                           : b.tryAdd(node.key(i, spec_.length), node.recnos[i]);
    if (!added) return false;
  }
  b.finish(uint16_t(node.attributes & (kAttrRoot | kAttrLeaf)), node.left, node.right, page);
  return true;
}

void CompactTag::fixParentKey(std::vector<PathStep>& path, std::size_t level, const char* key, uint32_t recno) {
  const std::size_t L = spec_.length;
  PathStep& step = path[level];
  char page[kIndexPageSize];
  std::memcpy(page, pages_.read(step.page), kIndexPageSize);
  std::size_t n = getLE16(page + 2);
  char* e = page + kInteriorHeaderSize + step.index * (L + 8);
  if (std::memcmp(e, key, L) == 0 && getBE32(e + L) == recno) return;
  std::memcpy(e, key, L);
  putBE32(e + L, recno);
  pages_.write(step.page, page);
  if (step.index + 1 == n && level > 0) fixParentKey(path, level - 1, key, recno);
}

void CompactTag::store(std::vector<PathStep>& path, std::size_t level, uint32_t offset, IndexNode& node) {
  const uint16_t L = spec_.length;
  char page[kIndexPageSize];
  const std::size_t n = node.count();
  bool fits = node.leaf() ? encodeLeaf(node, 0, n, page) : n <= interiorCapacity(L);
  if (fits) {
    if (!node.leaf()) encodeInterior(node, L, page);
    pages_.write(offset, page);
    if (level > 0 && n > 0) fixParentKey(path, level - 1, node.key(n - 1, L), node.recnos[n - 1]);
    return;
  }

  // Split in two: the left half stays at `offset`, the right half moves to a new page.
  std::size_t mid = n / 2;
  char leftPage[kIndexPageSize], rightPage[kIndexPageSize];
  const bool wasRoot = node.root();
  const uint32_t rightOffset = pages_.allocate(1);
  IndexNode left, right;
  left.attributes = right.attributes = uint16_t(node.attributes & kAttrLeaf);
  left.left = node.left;
  left.right = rightOffset;
  right.left = offset;
  right.right = node.right;
  auto fill = [&](IndexNode& part, std::size_t from, std::size_t to) {
    part.keys.assign(node.keys, from * L, (to - from) * L);
    part.recnos.assign(node.recnos.begin() + long(from), node.recnos.begin() + long(to));
    if (!node.leaf()) part.children.assign(node.children.begin() + long(from), node.children.begin() + long(to));
    if (node.leaf() && from == 0) {
      part.dups = node.dups;
      part.trails = node.trails;
      part.validCounts = std::min(node.validCounts, to);
    } else {
      part.validCounts = 0;
    }
  };
  // Leaves pack variable amounts: move the split point until both halves fit.
  for (std::size_t tries = 0;; ++tries) {
    fill(left, 0, mid);
    fill(right, mid, n);
    bool ok = node.leaf() ? encodeLeaf(left, 0, left.count(), leftPage) && encodeLeaf(right, 0, right.count(), rightPage)
                          : left.count() <= interiorCapacity(L) && right.count() <= interiorCapacity(L);
    if (ok) break;
    if (tries > n) throw Error(pages_.path(), "tag " + name_ + ": an index key does not fit a page");
    LeafBuilder probe(L, spec_.fill());
    std::size_t fitsLeft = 0;
    while (fitsLeft < n && probe.tryAdd(node.key(fitsLeft, L), node.recnos[fitsLeft])) ++fitsLeft;
    mid = mid > fitsLeft ? fitsLeft : mid + 1;
    if (mid == 0 || mid >= n) throw Error(pages_.path(), "tag " + name_ + ": an index key does not fit a page");
  }
  if (!node.leaf()) {
    encodeInterior(left, L, leftPage);
    encodeInterior(right, L, rightPage);
  }
  pages_.write(offset, leftPage);
  pages_.write(rightOffset, rightPage);
  if (node.right != kNoPage) {
    char neighbour[kIndexPageSize];
    std::memcpy(neighbour, pages_.read(node.right), kIndexPageSize);
    putLE32(neighbour + 4, rightOffset);
    pages_.write(node.right, neighbour);
  }
  if (offset == cachedLeaf_ || node.right == cachedLeaf_) cachedLeaf_ = 0;

  if (wasRoot || level == 0) {
    IndexNode root;
    root.attributes = kAttrRoot;
    root.keys.append(left.key(left.count() - 1, L), L);
    root.recnos.push_back(left.recnos.back());
    root.children.push_back(offset);
    root.keys.append(right.key(right.count() - 1, L), L);
    root.recnos.push_back(right.recnos.back());
    root.children.push_back(rightOffset);
    uint32_t rootOffset = pages_.allocate(1);
    encodeInterior(root, L, page);
    pages_.write(rootOffset, page);
    header_.root = rootOffset;
    char rootField[4];
    putLE32(rootField, rootOffset);
    pages_.file().writeAt(headerOffset_, rootField, 4);
    return;
  }
  PathStep step = path[level - 1];
  IndexNode parent;
  loadNode(step.page, parent);
  std::size_t i = step.index;
  std::memcpy(parent.keys.data() + i * L, left.key(left.count() - 1, L), L);
  parent.recnos[i] = left.recnos.back();
  parent.keys.insert(parent.keys.begin() + long((i + 1) * L), right.keys.end() - L, right.keys.end());
  parent.recnos.insert(parent.recnos.begin() + long(i + 1), right.recnos.back());
  parent.children.insert(parent.children.begin() + long(i + 1), rightOffset);
  store(path, level - 1, step.page, parent);
}

void CompactTag::insert(const char* key, uint32_t recno) {
  uint32_t leafOffset = 0;
  std::vector<PathStep> path = descend(key, spec_.length, recno, leafOffset);
  leaf(leafOffset);
  IndexNode node = std::move(cachedNode_);  // edited in place; the cache is rebuilt on the next read
  cachedLeaf_ = 0;
  std::size_t lo = 0, hi = node.count();
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (compare(node.key(mid, spec_.length), node.recnos[mid], key, spec_.length, recno) < 0) lo = mid + 1;
    else hi = mid;
  }
  if (lo < node.count() && compare(node.key(lo, spec_.length), node.recnos[lo], key, spec_.length, recno) == 0)
    return;  // already there
  node.keys.insert(node.keys.begin() + long(lo * spec_.length), key, key + spec_.length);
  node.recnos.insert(node.recnos.begin() + long(lo), recno);
  node.validCounts = std::min(node.validCounts, lo);
  ++version_;
  store(path, path.size(), leafOffset, node);
}

void CompactTag::unlinkEmpty(std::vector<PathStep>& path, std::size_t level, uint32_t offset, const IndexNode& node) {
  char page[kIndexPageSize];
  if (node.left != kNoPage) {
    std::memcpy(page, pages_.read(node.left), kIndexPageSize);
    putLE32(page + 8, node.right);
    pages_.write(node.left, page);
  }
  if (node.right != kNoPage) {
    std::memcpy(page, pages_.read(node.right), kIndexPageSize);
    putLE32(page + 4, node.left);
    pages_.write(node.right, page);
  }
  (void)offset;  // the page itself is abandoned; a rebuild reclaims it
  PathStep step = path[level - 1];
  IndexNode parent;
  loadNode(step.page, parent);
  const std::size_t L = spec_.length;
  parent.keys.erase(step.index * L, L);
  parent.recnos.erase(parent.recnos.begin() + long(step.index));
  parent.children.erase(parent.children.begin() + long(step.index));
  if (parent.count() > 0) {
    store(path, level - 1, step.page, parent);
    return;
  }
  if (level - 1 == 0) {
    // The whole tree is empty: the root becomes an empty leaf.
    LeafBuilder empty(spec_.length, spec_.fill());
    empty.finish(kAttrRoot | kAttrLeaf, kNoPage, kNoPage, page);
    pages_.write(step.page, page);
    return;
  }
  unlinkEmpty(path, level - 1, step.page, parent);
}

bool CompactTag::remove(const char* key, uint32_t recno) {
  uint32_t leafOffset = 0;
  std::vector<PathStep> path = descend(key, spec_.length, recno, leafOffset);
  leaf(leafOffset);
  IndexNode node = std::move(cachedNode_);
  cachedLeaf_ = 0;
  std::size_t lo = 0, hi = node.count();
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (compare(node.key(mid, spec_.length), node.recnos[mid], key, spec_.length, recno) < 0) lo = mid + 1;
    else hi = mid;
  }
  std::size_t i = lo;
  if (i == node.count() || compare(node.key(i, spec_.length), node.recnos[i], key, spec_.length, recno) != 0)
    return false;
  node.keys.erase(i * spec_.length, spec_.length);
  node.recnos.erase(node.recnos.begin() + long(i));
  node.validCounts = std::min(node.validCounts, i);
  ++version_;
  if (node.count() == 0 && !path.empty()) unlinkEmpty(path, path.size(), leafOffset, node);
  else store(path, path.size(), leafOffset, node);
  return true;
}

}  // namespace xbase
