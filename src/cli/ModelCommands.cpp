// sf6tool model: the catalog model in its tagged storage form, to look at a
// conversion and to check that the form reads back.

#include "cli/CliCommand.h"
#include "model/Catalog.h"
#include "model/XmlStorage.h"
#include "sf4/Sf4Object.h"
#include "text/CodePage.h"
#include "text/Errors.h"

#include <fstream>
#include <iterator>
#include <ostream>

namespace sf6::cli {
namespace {

// The tagged form escapes every byte above 123, so it is written as it is.
void WriteDocument(const Tlup6Dataobject &root, CommandIo &io) {
  const std::string text = SaveCatalogToXml(root);
  io.out.write(text.data(), static_cast<std::streamsize>(text.size()));
  io.out << '\n';
}

std::string ReadWholeFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw Sf6Error("Cannot open file \"" + Utf8ToCp1252(path) + "\".");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int RunModel(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  Tlup6Dataobject root;
  try {
    if (args.size() == 2 && args[0] == "--check") {
      LoadCatalogFromXml(root, ReadWholeFile(args[1]));
      WriteDocument(root, io);
      return kExitOk;
    }
    if (args.size() != 1 || args[0].starts_with("--"))
      return UsageError(command, io);
    TSf4Object sf4(root);
    sf4.LoadFromDirectory(args[0]);
    WriteDocument(root, io);
    return kExitOk;
  } catch (const Sf6Error &failure) {
    io.out.flush();
    io.err << "sf6tool model: " << Cp1252ToUtf8(failure.what()) << '\n';
    return kExitFailure;
  }
}

const CliCommand kCommands[] = {
    {"model", "SF4DIR | --check FILE",
     "write the catalog model of an SF4 directory (or of a tagged file, read back) in its tagged "
     "form",
     RunModel},
};

} // namespace

std::span<const CliCommand> ModelCommands() {
  return kCommands;
}

} // namespace sf6::cli
