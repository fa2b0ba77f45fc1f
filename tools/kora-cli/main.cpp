// kora-cli: the editor's data outside the window, for scripts and tests.

#include "editor/ProgramPaths.h"
#include "kora-cli/Commands.h"
#include "platform/shell/SysFiles.h"

#include <algorithm>
#include <exception>
#include <initializer_list>
#include <iostream>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace kora::cli;

const char* const kUsage =
    "usage: kora-cli make-demo-rom OUT [--alternate]\n"
    "       kora-cli info ROM\n"
    "       kora-cli export ROM [--kind char|class|item] [--format csv|json]\n"
    "       kora-cli import ROM FILE\n"
    "       kora-cli --help | --version\n";

const char* const kHelp =
    "\n"
    "The editor's data outside its window: characters, classes and items of an\n"
    "NDS ROM as CSV or JSON, and back.\n"
    "\n"
    "  make-demo-rom   writes a demo ROM (--alternate: the other layout)\n"
    "  info            prints where the data block lies\n"
    "  export          prints the records (all three tables without --kind)\n"
    "  import          applies a CSV or JSON file of the same shape and saves\n"
    "                  it into the ROM; the whole file is checked first\n"
    "\n"
    "The first save into a ROM keeps the original beside it as ROM.bak.\n"
    "Working files live in RomData/ of a program folder, or in\n"
    "$XDG_CACHE_HOME/kora-editor/ (~/.cache/kora-editor/) when installed.\n";

struct UsageError {
  std::string Message;
};

struct Arguments {
  std::vector<std::string> Plain;
  std::vector<std::string> Given;  // options seen
  bool Alternate = false;
  std::optional<RecordKind> Kind;
  std::optional<std::string> Format;
};

Arguments Parse(const std::vector<std::string>& args) {
  Arguments a;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError{arg + " needs a value"};
      return args[++i];
    };
    if (arg.starts_with("--")) a.Given.push_back(arg);
    if (arg == "--alternate") {
      a.Alternate = true;
    } else if (arg == "--kind") {
      const std::string& v = value();
      for (const KindInfo& info : AllKinds()) {
        if (v == info.Option) a.Kind = info.Kind;
      }
      if (!a.Kind) throw UsageError{"unknown kind \"" + v + "\""};
    } else if (arg == "--format") {
      a.Format = value();
      if (*a.Format != "csv" && *a.Format != "json") throw UsageError{"unknown format \"" + *a.Format + "\""};
    } else if (arg.starts_with("--")) {
      throw UsageError{"unknown option " + arg};
    } else {
      a.Plain.push_back(arg);
    }
  }
  return a;
}

void Expect(const std::string& command, const Arguments& a, std::size_t plain,
            std::initializer_list<std::string_view> allowed) {
  if (a.Plain.size() != plain)
    throw UsageError{command + " takes " + std::to_string(plain) + " argument" + (plain == 1 ? "" : "s")};
  for (const std::string& option : a.Given) {
    if (std::find(allowed.begin(), allowed.end(), option) == allowed.end())
      throw UsageError{command + " does not take " + option};
  }
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError{"no command"};
  const std::string& command = args[0];
  if (command == "--help" || command == "help") {
    std::cout << kUsage << kHelp;
    return 0;
  }
  if (command == "--version") {
    std::cout << "kora-cli " KORA_VERSION "\n";
    return 0;
  }
  const Arguments a = Parse({args.begin() + 1, args.end()});
  if (command == "make-demo-rom") {
    Expect(command, a, 1, {"--alternate"});
    MakeDemoRom(a.Plain[0], a.Alternate);
    return 0;
  }
  const kora::ProgramPaths paths = kora::ProgramPaths::OfThisProgram();
  if (command == "info") {
    Expect(command, a, 1, {});
    PrintInfo(paths, a.Plain[0], std::cout, std::cerr);
    return 0;
  }
  if (command == "export") {
    Expect(command, a, 1, {"--kind", "--format"});
    ExportRecords(paths, a.Plain[0], a.Kind, a.Format == "json", std::cout, std::cerr);
    return 0;
  }
  if (command == "import") {
    Expect(command, a, 2, {});
    const bool saved = ImportRecords(paths, a.Plain[0], a.Plain[1], std::cerr);
    std::cout << (saved ? "saved into " : "no value changed; left as it was: ") << a.Plain[0] << '\n';
    return 0;
  }
  throw UsageError{"unknown command \"" + command + "\""};
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args = kora::ProgramArguments(argc, argv);
    const int status = Run({args.begin() + 1, args.end()});
    // A full disk or closed pipe must not pass for a complete export.
    if (!std::cout.flush()) throw std::runtime_error("cannot write to standard output");
    return status;
  } catch (const UsageError& e) {
    std::cerr << "kora-cli: " << e.Message << '\n' << kUsage;
    return 2;
  } catch (const std::bad_alloc&) {
    std::cerr << "kora-cli: out of memory\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "kora-cli: " << e.what() << '\n';
    return 1;
  }
}
