#pragma once

// The fields the converter takes from one line of each SF4 file. Columns
// count from 1; a line that ends inside or before a field gives the part that
// exists, and a missing or unreadable value gives "", 0 or false. None of the
// readers fails, whatever the line holds.
//
// Field kinds: text fields are right-trimmed (leading blanks stay); integer
// fields are TextToInt of their columns; digit fields are TextToInt of one
// column (a blank or non-digit is 0) mapped through a small table to the
// catalog ordinal named in the comment; flags are true exactly for "1";
// numbers are TextToFloat of their columns divided by 100 or 1000, because
// SF4 writes them with implied decimals (0400 is 4.00, 1604 is 1.604).
// Field names are those of the catalog values they feed.

#include "text/FieldText.h"

#include <string>
#include <string_view>

namespace sf6 {

// GLHead.Dat, first line (cols 1-2 unused).
struct Sf4HeadLine {
  int day = 0;          // cols 3-4
  int month = 0;        // cols 5-6
  int year = 0;         // cols 7-8, two digits: 0-10 are 2000-2010, 11-99 are 1911-1999
  TDateTime GA = 0;     // the date of the three, 0 when they form no valid date
  std::string LAND;     // cols 9-11; "D" in any case becomes "DE"
  std::string EDV;      // cols 12-14, manufacturer code
  std::string Name;     // cols 15-44
  int ZB = 0;           // col 45
  int ZG1 = 0;          // col 46
  int ZG2 = 0;          // col 47
  int PG1 = 0;          // cols 48-49
  int PG2 = 0;          // cols 50-51
  int PG3 = 0;          // cols 52-53
  int PG4 = 0;          // cols 54-55
  int PG5 = 0;          // cols 56-57
};

// GLTyp.Dat: one lens and its geometry record.
struct Sf4LensLine {
  std::string EDV;      // cols 1-6, lens code
  std::string B1;       // cols 7-31
  int EM = 0;           // col 32: 0-3 kept, else 0
  int ME = 0;           // col 34: 0 is 0, else 1
  int MAT = 1;          // col 35: 1 and 2 give 2, else 1
  double BR = 0;        // cols 36-39 /1000
  double DI = 0;        // cols 40-42 /100
  bool AS = false;      // col 43
  bool ST = false;      // col 44
  int FA = 0;           // col 45: 0-2 kept, 3 gives 0, 4-6 give 3-5, else 0
  int NTT = 0;          // col 46: 0-3 kept, else 0
  double VAFB = 0;      // cols 47-51 /100
  double HAFB = 0;      // cols 52-56 /100
  double URN = 0;       // cols 67-70 /100
  double ORN = 0;       // cols 71-74 /100
  double HN = 0;        // cols 79-82 /100
  double HZ = 0;        // cols 83-86 /100
};

// GLNeumat.Dat: a further material for a lens.
struct Sf4NewMaterialLine {
  std::string lensCode; // cols 1-6
  int MAT = 0;          // col 7: "4" gives 3, "5" gives 4; 0 means: leave the lens's material
};

// GLWirk.Dat: a power range of a lens; the bounds of cylinder and addition
// come in either order.
struct Sf4PowerRangeLine {
  std::string lensCode; // cols 1-6
  int diameter1 = 0;    // cols 7-8
  int diameter2 = 0;    // cols 9-10
  double cylBoundA = 0; // cols 13-15 /100
  double cylBoundB = 0; // cols 16-18 /100
  double SphV = 0;      // cols 19-23 /100
  double SphB = 0;      // cols 24-28 /100
  double PV = 0;        // cols 29-32 /100
  double addBoundA = 0; // cols 33-35 /100
  double addBoundB = 0; // cols 36-38 /100
  int AddS = 2;         // col 39: 1 gives 0, 2 gives 1, else 2
};

// GLPreis.Dat: two prices of a lens for one price-group cell and diameter.
struct Sf4LensPriceLine {
  std::string lensCode; // cols 1-6
  int diameter1 = 0;    // cols 7-8
  int diameter2 = 0;    // cols 9-10 (never elliptical)
  int GSph = 0;         // cols 11-12
  int GCyl = 0;         // cols 13-14
  double price1 = 0;    // cols 17-23 /100, price designation 1
  double price2 = 0;    // cols 24-30 /100, price designation 2
};

// GLBesch.Dat: a coating for one material kind.
struct Sf4CoatingLine {
  std::string code;     // cols 1-6, SF4 coating code
  std::string B1;       // cols 7-31
  int kind = 1;         // col 32: 0 gives 1 (mineral), 1 and 2 give 2 (plastic), else 1
  int ET = 0;           // col 33: 0 is 0, 2 is 1, 5 is 2, 8 is 3, else 0
  int FA = 0;           // col 34: as the lens's FA
  bool PH = false;      // col 35
  bool HA = false;      // col 36
  bool CL = false;      // col 37
  bool UV = false;      // col 38
  int ADU = 0;          // col 39: 0-3 kept, else 0
  int AD = 0;           // col 40: 0-2 kept, else 0
  bool ADB = false;     // col 41
  bool BTOR = false;    // col 42
  bool PRH = false;     // col 43
  bool AAD = false;     // col 45
};

// GlBesch2.Dat: the catalog code that replaces an SF4 coating code.
struct Sf4CoatingRuleLine {
  std::string code;        // cols 1-6, SF4 coating code
  std::string replacement; // cols 7-12, catalog code
  int materialRule = 0;    // col 13, the digit 0-9 (0-4 meaningful)
};

// GlEllip.Dat: which power ranges a lens gets.
struct Sf4EllipticLine {
  std::string lensCode; // cols 1-6
  int rangeSelector = 0; // col 7: 0 round, 1 elliptical, 2 both, else none
  int clamp = 0;         // col 8: above 0 clamps negative sphere bounds of elliptical ranges
};

// GLzusch.Dat: two prices of a coating surcharge.
struct Sf4SurchargeLine {
  std::string code;  // cols 1-6
  double price1 = 0; // cols 7-13 /100
  double price2 = 0; // cols 14-20 /100
};

// GLKombi.Dat: a lens with up to two coatings.
struct Sf4CombinationLine {
  std::string GE;  // cols 1-6, lens code
  std::string B1E; // cols 7-12, SF4 coating code
  std::string B2E; // cols 13-18, SF4 coating code
  int LB = 0;      // col 19: 0 is 0, 1 is 2, else 1
};

// GLFarb.Dat: a colour of a coating.
struct Sf4ColourLine {
  std::string EDV;         // cols 1-3, colour code
  std::string coatingCode; // cols 4-9, SF4 code of the owning coating
  std::string B1;          // cols 10-34
  int AbO = 0;             // cols 35-36
  int AbV = 0;             // cols 37-38
};

Sf4HeadLine readSf4HeadLine(std::string_view line);
Sf4LensLine readSf4LensLine(std::string_view line);
Sf4NewMaterialLine readSf4NewMaterialLine(std::string_view line);
Sf4PowerRangeLine readSf4PowerRangeLine(std::string_view line);
Sf4LensPriceLine readSf4LensPriceLine(std::string_view line);
Sf4CoatingLine readSf4CoatingLine(std::string_view line);
Sf4CoatingRuleLine readSf4CoatingRuleLine(std::string_view line);
Sf4EllipticLine readSf4EllipticLine(std::string_view line);
Sf4SurchargeLine readSf4SurchargeLine(std::string_view line);
Sf4CombinationLine readSf4CombinationLine(std::string_view line);
Sf4ColourLine readSf4ColourLine(std::string_view line);

// The code of a line (cols 1-6, right-trimmed) without reading the rest.
std::string readSf4LineCode(std::string_view line);

// The calendar date of a GLHead.Dat day, month and two-digit year; 0 when
// they form no valid date (a negative year included).
TDateTime sf4HeadDate(int day, int month, int twoDigitYear);

} // namespace sf6
