#pragma once

// The SF4 to SF6 conversion as one command, shared by the conversion dialog
// and `sf6tool convert`: load an SF4 directory into a catalog model, choose a
// free archive name in that directory, write the SF6 archive there.
//
// Directory texts are file-system path texts (UTF-8 on this platform) as the
// user types them: "\" and "/" both separate, one trailing separator is
// accepted. Archive names are Windows-1252 (they are made of catalog codes)
// and become UTF-8 path texts only at the file system.

#include <filesystem>
#include <string>
#include <string_view>

namespace sf6 {

class Tlup6Dataobject;
class TSf4Object;

// "vxlup6fileview-" + programVersion, the "Software-id" of converted archives.
std::string ConverterSoftwareId(std::string_view programVersion);

// True when the directory named by directoryText holds the SF4 header file
// GLHead.Dat, its name matched without regard to letter case as the SF4
// reader matches it. Never throws; false for a text naming no directory.
bool Sf4HeaderExists(std::string_view directoryText);

// The name of the archive a conversion writes into directory:
//   EDV-EDV2-language-country-yyyymmdd-n.zip
// from the first address of root (EDV, EDV2, LAND, the date GA, the zero
// date 30 December 1899 for none), the language of naming-preset slot 1 and
// the smallest n >= 1 for which no file of that name exists in directory.
// Empty parts stay empty between their hyphens. A character that would
// leave the directory or cannot stand in a file name ("/", "\", control
// characters) is written as "_". "" when root has no address.
std::string ConvertedArchiveName(const Tlup6Dataobject &root,
                                 const std::filesystem::path &directory);

// "Die Datei wurde unter dem Namen " + archiveName + " gespeichert."
std::string ConversionMessage(std::string_view archiveName);

struct Sf4ConversionResult {
  std::string archiveName;           // Windows-1252, as in ConversionMessage
  std::filesystem::path archivePath; // directory / archive name
};

// Loads the SF4 directory into sf4's root (which is reset first), chooses
// the archive name and writes the archive with language slot 1, price
// designations 1 and 2 in price columns 1 and 2 and the software id of
// programVersion. Throws Sf6Error with the user's message text when the
// header file is missing or empty, when the root ends up without an
// address, or when the archive cannot be written; no archive is left behind
// then (an archive is written completely or not at all).
Sf4ConversionResult ConvertSf4Directory(TSf4Object &sf4, std::string_view directoryText,
                                        std::string_view programVersion);

// A catalog kept in the tagged form as one file (what `sf6tool model` writes)
// converted like an SF4 directory: the file at filePath is loaded into root
// (which is replaced) and the archive is written into outputDirectory (empty:
// the file's own directory) with the same name, settings and message as
// ConvertSf4Directory. Throws Sf6Error when the file cannot be read, when it
// is not a tagged catalog document (the message names line and column), when
// the catalog has no address, or when the archive cannot be written; no
// archive is left behind then.
Sf4ConversionResult ConvertTaggedCatalog(Tlup6Dataobject &root,
                                         const std::filesystem::path &filePath,
                                         const std::filesystem::path &outputDirectory,
                                         std::string_view programVersion);

} // namespace sf6
