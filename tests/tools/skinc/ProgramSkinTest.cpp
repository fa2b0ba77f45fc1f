// The program's own skin, as the build packs it: every record the window's
// elements look up is there, with the geometry the frame layout relies on.
#include <sys/wait.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "framework/TempFolder.h"
#include "skin/SkinTestSupport.h"

namespace kora {
namespace {

std::string DumpProgramSkin() {
  const std::string out = test::TempFolder() + "dump.txt";
  const int status = std::system(("'" KORA_PROGRAM_DIR "/skinc' dump '" KORA_SKIN_ARCHIVE "' >'" + out + "'").c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return test::ReadFileBytes(out);
}

// The lines of one "[name]" section of the dump.
std::string Section(const std::string& dump, const std::string& name) {
  const std::size_t start = dump.find("[" + name + "]\n");
  if (start == std::string::npos) return {};
  const std::size_t end = dump.find("\n[", start + 1);
  return dump.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

// The rectangle a section's key holds; empty when the key is missing.
RECT RectOf(const std::string& section, const std::string& key) {
  const std::size_t at = section.find("\n" + key + "=");
  if (at == std::string::npos) return {};
  const std::size_t from = at + key.size() + 2;
  return ParseSkinRect(section.substr(from, section.find('\n', from) - from));
}

TEST(ProgramSkin, HoldsEveryRecordTheWindowLooksUp) {
  const std::string dump = DumpProgramSkin();
  for (const char* name : {"closebutton",
                           "maxbutton",
                           "minbutton",
                           "rollupbutton",
                           "sysmenubutton",
                           "traybutton",
                           "caption",
                           "menuitem",
                           "mainmenubaritem",
                           "menubarsysmenubutton",
                           "menubarclosebutton",
                           "menubarmaxbutton",
                           "menubarminbutton",
                           "button",
                           "resizebutton",
                           "groupbox",
                           "panel",
                           "toolpanel",
                           "stdlabel",
                           "spinedit",
                           "statusspinedit",
                           "combobox",
                           "tab",
                           "hupdown",
                           "mainmenubar",
                           "edit",
                           "checkbox",
                           "hscrollbar",
                           "vscrollbar",
                           "bothhscrollbar",
                           "toolbutton",
                           "toolmenubutton",
                           "bevel",
                           "statusbar",
                           "label",
                           "listbox",
                           "radiobox",
                           "listview",
                           "POPUPWINDOW",
                           "HINTWINDOW",
                           "SKINCOLORS"})
    EXPECT_NE(Section(dump, name), "") << name;
  // The combo box names its drop-down list, and that list exists too.
  const std::string combo = Section(dump, "combobox");
  const std::size_t key = combo.find("listboxname=");
  ASSERT_NE(key, std::string::npos);
  const std::string list = combo.substr(key + 12, combo.find('\n', key) - key - 12);
  EXPECT_NE(Section(dump, list), "") << list;
  EXPECT_NE(Section(dump, "tab").find("updown=hupdown\n"), std::string::npos);
}

TEST(ProgramSkin, FrameGeometryMatchesTheWindowLayout) {
  const std::string dump = DumpProgramSkin();
  EXPECT_NE(dump.find("picture=frame.bmp 285x210x"), std::string::npos);
  EXPECT_NE(dump.find("inactivepicture=\n"), std::string::npos);
  EXPECT_EQ(dump.find("mask=\n"), std::string::npos);  // the mask cuts the corners
  const std::string form = Section(dump, "FORMINFO");
  for (const char* line :
       {"clientrect=4,27,281,206\n", "lefttoppoint=9,29\n", "righttoppoint=274,30\n", "captionrect=3,5,282,24\n",
        "buttonsrect=0,0,0,0\n", "buttonsoffset=2\n", "bgpictureindex=-1\n"})
    EXPECT_NE(form.find(line), std::string::npos) << line;

  const std::string caption = Section(dump, "caption");
  for (const char* line : {"skinrect=5,4,280,24\n", "activeskinrect=0,0,0,0\n", "framerect=0,0,0,0\n", "framecount=0\n",
                           "fontname=Arial\n", "fontheight=16\n", "fontstyle=fsbold\n", "fontcolor=16111036\n",
                           "activefontcolor=11168318\n", "shadow=1\n", "shadowcolor=16777215\n"})
    EXPECT_NE(caption.find(line), std::string::npos) << line;

  for (const char* button : {"closebutton", "minbutton"}) {
    const RECT r = RectOf(Section(dump, button), "skinrect");
    EXPECT_EQ(r.Right - r.Left, 21) << button;
    EXPECT_EQ(r.Bottom - r.Top, 21) << button;
  }

  const std::string item = Section(dump, "mainmenubaritem");
  const RECT r = RectOf(item, "skinrect");
  EXPECT_EQ(r.Right - r.Left, 51);
  EXPECT_EQ(r.Bottom - r.Top, 20);
  const RECT t = RectOf(item, "textrect");
  EXPECT_EQ(t.Left, 4);
  EXPECT_EQ(t.Right, 46);
}

// Where a control places its parts is given in the control's own
// coordinates (its skin rectangle's), so each such place lies inside it.
TEST(ProgramSkin, PlacesInsideAControlLieInItsSkinRect) {
  const std::string dump = DumpProgramSkin();
  const std::vector<std::pair<std::string, std::vector<std::string>>> places = {
      {"spinedit", {"upbuttonrect", "downbuttonrect", "clientrect"}},
      {"statusspinedit", {"upbuttonrect", "downbuttonrect", "clientrect"}},
      {"combobox", {"buttonrect", "clientrect"}},
      {"hscrollbar", {"upbuttonrect", "downbuttonrect", "trackarea"}},
      {"vscrollbar", {"upbuttonrect", "downbuttonrect", "trackarea"}},
      {"hupdown", {"upbuttonrect", "downbuttonrect"}},
      {"checkbox", {"checkimagearea", "textarea"}},
      {"radiobox", {"checkimagearea", "textarea"}},
      {"groupbox", {"captionrect", "clientrect"}},
      {"button", {"clientrect"}}};
  for (const auto& [name, keys] : places) {
    const std::string section = Section(dump, name);
    const RECT skin = RectOf(section, "skinrect");
    for (const std::string& key : keys) {
      const RECT r = RectOf(section, key);
      EXPECT_TRUE(r.Left < r.Right && r.Top < r.Bottom && r.Right <= skin.Right - skin.Left &&
                  r.Bottom <= skin.Bottom - skin.Top)
          << name << " " << key << " " << SkinRectToString(r) << " in " << SkinRectToString(skin);
    }
  }
}

}  // namespace
}  // namespace kora
