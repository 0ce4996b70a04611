// sf6tool convert: the conversion dialog's command without the dialog.

#include "Sf6Version.h"
#include "cli/CliCommand.h"
#include "export/ConvertSf4.h"
#include "model/Catalog.h"
#include "sf4/Sf4Object.h"
#include "text/CodePage.h"
#include "text/Errors.h"

#include <ostream>

namespace sf6::cli {
namespace {

int RunConvert(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (args.size() != 1)
    return UsageError(command, io);
  const std::string &directory = args[0];
  if (!Sf4HeaderExists(directory)) {
    io.err << "sf6tool convert: no SF4 header file GLHead.Dat in \"" << directory << "\"\n";
    return kExitFailure;
  }
  Tlup6Dataobject root;
  TSf4Object sf4(root);
  try {
    const Sf4ConversionResult result = ConvertSf4Directory(sf4, directory, SF6_FILE_VERSION);
    io.out << Cp1252ToUtf8(ConversionMessage(result.archiveName)) << '\n';
    return kExitOk;
  } catch (const Sf6Error &failure) {
    io.err << "sf6tool convert: " << Cp1252ToUtf8(failure.what()) << '\n';
    return kExitFailure;
  }
}

const CliCommand kCommands[] = {
    {"convert", "SF4DIR", "convert an SF4 directory into an SF6 archive in that directory",
     RunConvert},
};

} // namespace

std::span<const CliCommand> ConvertCommands() {
  return kCommands;
}

} // namespace sf6::cli
