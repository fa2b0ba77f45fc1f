#pragma once
// What "确定" changed in the data image, record by record, to be taken back
// and done again: every applied change since the ROM was opened, through
// saves, until another ROM is opened.

#include <cstdint>
#include <vector>

#include "editor/DataImage.h"

namespace kora {

// The pages of the main window, in tab order.
enum class EditPage { Characters, Classes, Items };

// One applied record: the image bytes it covered before and after.
struct RecordEdit {
  EditPage Page = EditPage::Characters;
  int Record = -1;
  int64_t Offset = 0;
  std::vector<uint8_t> Before;
  std::vector<uint8_t> After;
};

class EditHistory {
public:
  void Clear();
  // The image's bytes [offset, offset + before.size()) were `before` until
  // a record was applied; when they differ now, the change is kept (and
  // what was undone can no longer be redone).
  void Applied(EditPage page, int record, int64_t offset, std::vector<uint8_t> before, const DataImage& image);

  bool CanUndo() const { return !FDone.empty(); }
  bool CanRedo() const { return !FUndone.empty(); }
  // Puts the last change's bytes back (or again) into the image; the change,
  // or null when there is none.
  const RecordEdit* Undo(DataImage& image);
  const RecordEdit* Redo(DataImage& image);

private:
  std::vector<RecordEdit> FDone;
  std::vector<RecordEdit> FUndone;
};

}  // namespace kora
