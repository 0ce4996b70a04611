// sf6tool convert: the conversion dialog's command without the dialog, for an
// SF4 directory or for a catalog kept in the tagged form.

#include "Sf6Version.h"
#include "cli/CliCommand.h"
#include "export/ConvertSf4.h"
#include "model/Catalog.h"
#include "sf4/Sf4Object.h"
#include "text/CodePage.h"
#include "text/Errors.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace sf6::cli {
namespace {

int Converted(const Sf4ConversionResult &result, CommandIo &io) {
  io.out << Cp1252ToUtf8(ConversionMessage(result.archiveName)) << '\n';
  return kExitOk;
}

int Failed(const Sf6Error &failure, CommandIo &io) {
  io.err << "sf6tool convert: " << Cp1252ToUtf8(failure.what()) << '\n';
  return kExitFailure;
}

// convert --model FILE [OUTDIR]: a catalog kept in the tagged form.
int RunConvertTagged(const std::vector<std::string> &args, CommandIo &io) {
  const std::filesystem::path file = args[1];
  const std::filesystem::path directory = args.size() == 3 ? args[2] : std::string();
  std::error_code ec;
  if (!directory.empty() && !std::filesystem::is_directory(directory, ec)) {
    io.err << "sf6tool convert: no directory \"" << args[2] << "\"\n";
    return kExitFailure;
  }
  Tlup6Dataobject root;
  try {
    return Converted(ConvertTaggedCatalog(root, file, directory, SF6_FILE_VERSION), io);
  } catch (const Sf6Error &failure) {
    return Failed(failure, io);
  }
}

int RunConvert(const CliCommand &command, const std::vector<std::string> &args, CommandIo &io) {
  if (!args.empty() && args[0] == "--model") {
    if (args.size() < 2 || args.size() > 3)
      return UsageError(command, io);
    return RunConvertTagged(args, io);
  }
  if (args.size() != 1 || args[0].starts_with("--"))
    return UsageError(command, io);
  const std::string &directory = args[0];
  if (!Sf4HeaderExists(directory)) {
    io.err << "sf6tool convert: no SF4 header file GLHead.Dat in \"" << directory << "\"\n";
    return kExitFailure;
  }
  Tlup6Dataobject root;
  TSf4Object sf4(root);
  try {
    return Converted(ConvertSf4Directory(sf4, directory, SF6_FILE_VERSION), io);
  } catch (const Sf6Error &failure) {
    return Failed(failure, io);
  }
}

const CliCommand kCommands[] = {
    {"convert", "SF4DIR | --model FILE [OUTDIR]",
     "convert an SF4 directory into an SF6 archive in that directory, or a catalog kept in the "
     "tagged form (as `model` writes it) into OUTDIR, by default the file's directory",
     RunConvert},
};

} // namespace

std::span<const CliCommand> ConvertCommands() {
  return kCommands;
}

} // namespace sf6::cli
