#include "TextTestSupport.h"

#include "platform/gdi/PngFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace kora {
namespace {

struct SheetRow {
  const char* Face;
  int32_t Height;
  int32_t Weight;
  bool Italic;
  bool Underline;
  const char* Text;
  uint32_t Format;
};

// A sheet of the program's typical strings for a person to look at; each row
// must draw inside its own band.
TEST(TextSheet, SampleStringsDrawInTheirRows) {
  const SheetRow rows[] = {
      {"宋体", -12, FW_NORMAL, false, false, "人物参数  职业参数  武器道具  选择ROM(&C)  保存数据", DT_SINGLELINE},
      {"宋体", -12, FW_BOLD, false, false, "人物参数 (bold)  Kora Editor 12px", DT_SINGLELINE},
      {"宋体", -12, FW_NORMAL, true, false, "职业参数 (italic)  数据导入成功!", DT_SINGLELINE},
      {"宋体", -16, FW_NORMAL, false, false, "武器道具  宋体 16px strike", DT_SINGLELINE},
      {"宋体", -24, FW_NORMAL, false, false, "保存数据  Song 24px outline", DT_SINGLELINE},
      {"MS Sans Serif", -11, FW_NORMAL, false, false, "Kora Editor  MS Sans Serif -11  &File  &&", DT_SINGLELINE},
      {"Arial", -12, FW_NORMAL, false, false, "Kora Editor  Arial -12  The quick brown fox", DT_SINGLELINE},
      {"Arial", -16, FW_BOLD, false, false, "Kora Editor  Arial -16 bold", DT_SINGLELINE},
      {"Arial", -16, FW_NORMAL, true, true, "Kora Editor  Arial -16 italic underline", DT_SINGLELINE},
      {"Arial", -24, FW_NORMAL, false, false, "Kora Editor 24px  人物 fallback", DT_SINGLELINE},
      {"宋体", -12, FW_NORMAL, false, false, "C:\\Games\\Roms\\Emblem of Fire\\romData.nds",
       DT_SINGLELINE | DT_PATH_ELLIPSIS},
      {"宋体", -12, FW_NORMAL, false, false, "选择ROM文件后可以编辑人物、职业和武器道具的参数，然后保存数据。",
       DT_WORDBREAK | DT_CENTER},
  };
  const int width = 420;
  const int rowHeight = 34;
  TextTestCanvas canvas(width, rowHeight * int(std::size(rows)) + 10);
  SetTextColor(canvas.Dc(), RGB(0, 0, 0));
  int y = 5;
  for (const SheetRow& row : rows) {
    canvas.UseFont(row.Face, row.Height, row.Weight, row.Italic, row.Underline);
    const bool narrow = row.Format & (DT_PATH_ELLIPSIS | DT_WORDBREAK);
    RECT r{5, y, narrow ? 200 : width - 5, y + rowHeight - 2};
    const int drawn = DrawText(canvas.Dc(), row.Text, &r, row.Format);
    EXPECT_GT(drawn, 0) << row.Text;
    const RECT band{0, y, width, y + rowHeight - 2};
    EXPECT_TRUE(band.Contains(canvas.Ink(band))) << row.Text;
    EXPECT_FALSE(canvas.Ink(band).IsEmpty()) << row.Text;
    y += rowHeight;
  }
  if (const char* folder = std::getenv("KORA_ARTIFACTS")) {
    std::filesystem::create_directories(folder);
    SavePngFile((std::filesystem::path(folder) / "text-sheet.png").string(), canvas.Bitmap());
  }
}

}  // namespace
}  // namespace kora
