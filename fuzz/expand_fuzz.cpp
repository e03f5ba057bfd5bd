// Any bytes as a static clip, with the clipboard, the dialogs' answers and
// a tree file taken from the same bytes: the expansion ends, stays within
// its bounds, and a bounded or cancelled expansion gives nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "expand/expand_fakes.h"
#include "expand/expand_text.h"
#include "expand/pick_tree.h"
#include "expand/work_jobs.h"

namespace {

using namespace ambrel;

// Answers from the input: a confirm bit and a short text per dialog.
class BytePrompter : public expand::Prompter {
 public:
  explicit BytePrompter(std::string_view bytes) : bytes_(bytes) {}
  bool RunInput(std::string_view, std::string_view, std::string& text) override { return Answer(text); }
  bool RunFiler(std::string_view, std::string& name) override { return Answer(name); }
  bool RunList(std::string_view, std::string& line) override { return Answer(line); }
  bool RunTree(std::string_view, std::string& path) override { return Answer(path); }
  int calls = 0;

 private:
  bool Answer(std::string& out) {
    ++calls;
    if (pos_ >= bytes_.size()) return true;
    const auto b = static_cast<unsigned char>(bytes_[pos_++]);
    const std::size_t n = std::min<std::size_t>(b >> 2, bytes_.size() - pos_);
    out.assign(bytes_.substr(pos_, n));
    pos_ += n;
    return (b & 1) != 0;
  }
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  // clip | 0x00 | clipboard | 0x00 | answers
  const std::size_t a = all.find('\0');
  const std::string_view clip = all.substr(0, a);
  std::string_view rest = a == std::string_view::npos ? std::string_view() : all.substr(a + 1);
  const std::size_t b = rest.find('\0');
  const std::string_view clipText = rest.substr(0, b);
  const std::string_view answers = b == std::string_view::npos ? std::string_view() : rest.substr(b + 1);

  expand::MetaList meta;
  meta.Assign(expand::DefaultMetaList());
  fakes::FakeClock clock;
  fakes::FakeClipboard clipboard;
  clipboard.text = std::string(clipText);
  fakes::FakeEnvironment environment;
  environment.variables["X"] = "($v(X))";
  fakes::FakeFileSystem fileSystem;
  fileSystem.files.files["f"] = std::string(clip);
  BytePrompter prompter(answers);
  expand::ExpandServices services{meta, clock, clipboard, environment, fileSystem, prompter, {}};
  bool bounded = false;
  const expand::ExpandResult result = expand::ExpandText(clip, services, &bounded);
  if (result.text.size() > expand::kMaxExpandedBytes) std::abort();
  if ((bounded || !result.goAhead) && !result.text.empty()) std::abort();
  if (bounded && result.goAhead) std::abort();

  // The same bytes as a tree file: every node's parent comes before it.
  expand::PickTree tree;
  fakes::FakeWorkHost step;
  expand::BuildTree(tree, expand::SplitLines(all), step);
  for (int i = 0; i < tree.Count(); ++i)
    if (tree.Node(i).parent >= i) std::abort();
  return 0;
}
