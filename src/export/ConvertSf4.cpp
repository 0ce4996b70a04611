#include "export/ConvertSf4.h"

#include "export/Sf6Export.h"
#include "model/Catalog.h"
#include "model/XmlStorage.h"
#include "sf4/Sf4Files.h"
#include "sf4/Sf4Object.h"
#include "text/CodePage.h"
#include "text/Errors.h"
#include "text/FieldText.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace sf6 {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSoftwareIdPrefix = "vxlup6fileview-";
// The dialog's fixed choices: names from slot 1, list purchase price and
// recommended retail price in the first two price columns.
constexpr int kLanguageIndex = 1;
constexpr Sf6PriceFieldNumbers kPriceFields = {1, 2, 0, 0, 0};

// A name part as it may stand in a file name of the directory.
std::string fileNamePart(std::string_view text) {
  std::string part(text);
  for (char &ch : part) {
    const auto byte = static_cast<unsigned char>(ch);
    if (ch == '/' || ch == '\\' || byte < 0x20 || byte == 0x7F)
      ch = '_';
  }
  return part;
}

bool pathTaken(const fs::path &path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

fs::path pathOfName(const fs::path &directory, std::string_view archiveName) {
  return directory / fs::path(Cp1252ToUtf8(archiveName));
}

} // namespace

std::string ConverterSoftwareId(std::string_view programVersion) {
  return std::string(kSoftwareIdPrefix) + std::string(programVersion);
}

bool Sf4HeaderExists(std::string_view directoryText) {
  const fs::path directory = sf4DirectoryPath(directoryText);
  std::error_code ec;
  if (!fs::is_directory(directory, ec))
    return false;
  const fs::path header = resolveSf4Files(directory)[static_cast<std::size_t>(Sf4File::GLHead)];
  return fs::is_regular_file(header, ec);
}

std::string ConvertedArchiveName(const Tlup6Dataobject &root, const fs::path &directory) {
  const Tlup6DataAdresse *address = root.Addresses().Items(0);
  if (address == nullptr)
    return {};
  const std::string stem = fileNamePart(address->EDV) + "-" + fileNamePart(address->EDV2) + "-" +
                           fileNamePart(root.NamingPresets().GetLanguage(1)) + "-" +
                           fileNamePart(address->LAND) + "-" + DateToCompact(address->GA, false) +
                           "-";
  for (int n = 1;; ++n) {
    std::string name = stem + std::to_string(n) + ".zip";
    if (!pathTaken(pathOfName(directory, name)))
      return name;
  }
}

std::string ConversionMessage(std::string_view archiveName) {
  return "Die Datei wurde unter dem Namen " + std::string(archiveName) + " gespeichert.";
}

namespace {

// The archive of a loaded catalog under the first free name in directory,
// with the conversion's fixed settings.
Sf4ConversionResult writeConvertedArchive(const Tlup6Dataobject &root, const fs::path &directory,
                                          std::string_view programVersion) {
  const Tlup6DataAdresse *address = root.Addresses().Items(0);
  if (address == nullptr)
    throw Sf6Error("Der Katalog enth\xE4lt keine Herstelleradresse.");

  Sf4ConversionResult result;
  result.archiveName = ConvertedArchiveName(root, directory);
  result.archivePath = pathOfName(directory, result.archiveName);

  const std::string softwareId = ConverterSoftwareId(programVersion);
  Sf6ExportSettings settings;
  settings.languageIndex = kLanguageIndex;
  settings.priceFieldNumbers = kPriceFields;
  settings.softwareId = softwareId;
  WriteSf6ExportTexts(result.archivePath,
                      BuildSf6ExportTexts(&root, address, result.archiveName, settings));
  return result;
}

std::string readWholeFile(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw Sf6Error("Cannot open file \"" + Utf8ToCp1252(path.string()) + "\".");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad())
    throw Sf6Error("Cannot read file \"" + Utf8ToCp1252(path.string()) + "\".");
  return text;
}

} // namespace

Sf4ConversionResult ConvertSf4Directory(TSf4Object &sf4, std::string_view directoryText,
                                        std::string_view programVersion) {
  sf4.LoadFromDirectory(directoryText);
  return writeConvertedArchive(sf4.Root(), sf4DirectoryPath(directoryText), programVersion);
}

Sf4ConversionResult ConvertTaggedCatalog(Tlup6Dataobject &root, const fs::path &filePath,
                                         const fs::path &outputDirectory,
                                         std::string_view programVersion) {
  LoadCatalogFromXml(root, readWholeFile(filePath));
  fs::path directory = outputDirectory;
  if (directory.empty()) {
    directory = filePath.parent_path();
    if (directory.empty())
      directory = ".";
  }
  return writeConvertedArchive(root, directory, programVersion);
}

} // namespace sf6
