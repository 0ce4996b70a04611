#pragma once

// The decoded forms of SF6 catalog lines: one plain record per data file and
// TSf6DataHead for the header values. Records are copied by value between
// decoder, window and renderer; a value-initialised record holds empty texts,
// 0, false, no date, ordinal 0 and empty sets.
// Numbers are held unscaled (1.6 for an index written as 16000); dates are day
// counts (0 = none); enumerations hold ordinals; texts are Windows-1252.

#include "sf6/Sf6Enums.h"
#include "text/FieldText.h"

#include <array>
#include <cstdint>
#include <string>

namespace sf6 {

// A colour as r + 256*g + 65536*b, each component 0..255.
using Sf6Colour = uint32_t;

// LensType.Dat: a lens product (40 fields).
struct TSf6DataLensType {
  std::string Code;                      // 1
  std::string Name;                      // 2
  TDateTime ValidFrom = 0;               // 3
  TDateTime ValidUntil = 0;              // 4
  TSf6LensKind LensKind{};               // 5
  bool BalanceLens = false;              // 6
  int32_t BalanceConditionLens = 0;      // 7
  int32_t BalanceConditionCoating = 0;   // 8
  TSf6BrandClass BrandClass{};           // 9
  TSf6Material Material{};               // 10
  double RefractiveIndex = 0;            // 11
  double Density = 0;                    // 12
  double AbbeNumber = 0;                 // 13
  bool Aspheric = false;                 // 14
  bool Lenticular = false;               // 15
  TSf6AntiReflection AntiReflection{};   // 16
  TSf6Tint Tint{};                       // 17
  bool Photochromic = false;             // 18
  bool Hard = false;                     // 19
  bool Clean = false;                    // 20
  bool Uv = false;                       // 21
  bool Mirror = false;                   // 22
  bool Mdm = false;                      // 23
  TSf6Inclusion SmallDiameter{};         // 24
  bool DeviatingThickness = false;       // 25
  bool InsuranceIncluded = false;        // 26
  bool PrismIncluded = false;            // 27
  int32_t FilterCategory = 0;            // 28
  TSf6RoadUse RoadUse{};                 // 29
  double UvEdge = 0;                     // 30
  double Uva = 0;                        // 31
  double Uvb = 0;                        // 32
  bool ExtendedWarranty = false;         // 33
  TSf6SingleLensOrder SingleLensOrder{}; // 34
  bool TS = false;                       // 35 (no caption)
  int32_t SortOrder = 0;                 // 36
  std::string ShortDescription;          // 37 (not trimmed)
  int32_t MinDiameter = 0;               // 38
  int32_t DiameterStep = 0;              // 39
  int32_t FilterCategoryExposed = 0;     // 40
};

// LensRange.Dat: a delivery range of a lens (28 fields; Diameter covers 2 and 3).
struct TSf6DataLensRange {
  std::string Code;               // 1
  TSf6Diameter Diameter;          // 2, 3
  double SphFrom = 0;             // 4
  double SphTo = 0;               // 5
  double CylFrom = 0;             // 6
  double CylTo = 0;               // 7
  int32_t CylPowerFrom = 0;       // 8
  int32_t CylPowerTo = 0;         // 9
  double PrismTo = 0;             // 10
  double AddFrom = 0;             // 11
  double AddTo = 0;               // 12
  TSf6AddStep AddStep{};          // 13
  std::string Coating1;           // 14 .. 18: option codes, "" for none
  std::string Coating2;
  std::string Coating3;
  std::string Coating4;
  std::string Coating5;
  bool CoatingInLensPrice = false; // 19
  TDateTime ValidFrom = 0;        // 20
  TDateTime ValidUntil = 0;       // 21
  bool StockLens = false;         // 22
  int32_t DeliveryTime = 0;       // 23
  bool ExtendedRange = false;     // 24
  bool BonusEligible = false;     // 25
  bool EdiDiscount = false;       // 26
  bool OnlineOrder = false;       // 27
  int32_t RangeIndex = 0;         // 28
};

// LensGeo.Dat: geometry data of a lens (24 fields).
struct TSf6DataLensGeo {
  // 0 = the diameter applies, 1 = all centred diameters, 2 = all decentred
  // diameters (then Diameter and the two semi-axes are 0).
  int32_t DiameterMode = 0;
  // Columns 12-21 blank: the power range (fields 4 and 5) does not apply.
  bool NoPowerRange = false;
  std::string Code;                  // 1
  TSf6Diameter Diameter;             // 2, 3
  double PowerFrom = 0;              // 4
  double PowerTo = 0;                // 5
  double SemiAxisVertical = 0;       // 6
  double SemiAxisHorizontal = 0;     // 7
  TSf6SegmentType SegmentType{};     // 8
  double FarRefVertical = 0;         // 9
  double FarRefHorizontal = 0;       // 10
  double SegmentEdgeVertical = 0;    // 11
  double SegmentEdgeHorizontal = 0;  // 12
  double SegmentCentreVertical = 0;  // 13
  double SegmentRadiusLower = 0;     // 14
  double SegmentRadiusUpper = 0;     // 15
  double SegmentWidth = 0;           // 16
  double SegmentHeight = 0;          // 17
  double IntermediateHeight = 0;     // 18
  double FittingCrossVertical = 0;   // 19
  TSf6ViewDirection ViewDirection{}; // 20
  double NearRefVerticalMax = 0;     // 21
  double NearRefVerticalMin = 0;     // 22
  double NearRefHorizontalMax = 0;   // 23
  double NearRefHorizontalMin = 0;   // 24
};

// LensPrice.Dat: up to five prices of a lens (10 fields).
struct TSf6DataLensPrice {
  std::string Code;      // 1
  TSf6Diameter Diameter; // 2 (E is never part of this file)
  int32_t SphGroup = 0;  // 3
  int32_t CylGroup = 0;  // 4
  int32_t RangeIndex = 0; // 5
  double Price1 = 0;     // 6 .. 10
  double Price2 = 0;
  double Price3 = 0;
  double Price4 = 0;
  double Price5 = 0;
};

// Options.Dat: a coating or other option (44 fields; Materials covers 6 to 9).
struct TSf6Dataoptions {
  std::string Code;                       // 1
  std::string Name;                       // 2
  TDateTime ValidFrom = 0;                // 3
  TDateTime ValidUntil = 0;               // 4
  TSf6BrandClass BrandClass{};            // 5
  TSf6MaterialSet Materials;              // 6 .. 9
  TSf6AntiReflection AntiReflection{};    // 10
  TSf6Tint Tint{};                        // 11
  bool Photochromic = false;              // 12
  bool Hard = false;                      // 13
  bool Clean = false;                     // 14
  bool Uv = false;                        // 15
  bool Mirror = false;                    // 16
  TSf6Edging Edging{};                    // 17
  TSf6DiameterChange DiameterChange{};    // 18
  TSf6ThicknessChange ThicknessChange{};  // 19
  bool DeviatingCurve = false;            // 20
  bool DeviatingAddition = false;         // 21
  TSf6FormChange FormChange{};            // 22
  bool PowerOutsideRange = false;         // 23
  bool Decentration = false;              // 24
  bool PrismaticHeightBalance = false;    // 25
  bool Matting = false;                   // 26
  bool RemoveCoating = false;             // 27
  bool BiLenses = false;                  // 28
  bool OutsideToric = false;              // 29
  bool BonusEligible = false;             // 30
  bool Insurance = false;                 // 31
  TSf6RoadUse RoadUse{};                  // 32
  int32_t FilterCategory = 0;             // 33
  double UvEdge = 0;                      // 34
  double Uva = 0;                         // 35
  double Uvb = 0;                         // 36
  double BaseSphFrom = 0;                 // 37
  double BaseSphTo = 0;                   // 38
  int32_t DiameterFrom = 0;               // 39
  int32_t DiameterTo = 0;                 // 40
  int32_t SortOrder = 0;                  // 41
  std::string ShortDescription;           // 42 (not trimmed)
  int32_t FilterCategoryExposed = 0;      // 43
  bool OnlineOrder = false;               // 44
};

// OptionsColor.Dat: a colour of an option (19 fields).
struct TSf6DataoptionsColor {
  std::string ColourCode;       // 1
  std::string Code;             // 2: the option's code
  std::string Name;             // 3
  int32_t AbsorptionTop = 0;    // 4
  int32_t AbsorptionBottom = 0; // 5
  Sf6Colour ColourTop = 0;     // 6 .. 8
  Sf6Colour ColourMiddle = 0;  // 9 .. 11
  Sf6Colour ColourBottom = 0;  // 12 .. 14
  TSf6RoadUse RoadUse{};        // 15
  int32_t FilterCategory = 0;   // 16
  double UvEdge = 0;            // 17
  double Uva = 0;               // 18
  double Uvb = 0;               // 19
};

// OptionsPrice.Dat: up to five prices of an option (13 fields; Materials covers 5 to 8).
struct TSf6DataoptionsPrice {
  std::string Code;            // 1: the option's code
  std::string LensCode;        // 2
  TSf6SphTor SphTor{};         // 3
  TSf6SingleMulti SingleMulti{}; // 4
  TSf6MaterialSet Materials;   // 5 .. 8
  double Price1 = 0;           // 9 .. 13
  double Price2 = 0;
  double Price3 = 0;
  double Price4 = 0;
  double Price5 = 0;
};

// Combination.Dat: whether a lens with up to three options can be delivered.
struct TSf6DataCombination {
  std::string LensCode;                                  // 1
  TSf6Availability Availability{};                      // 2
  std::string Coating1;                                  // 3 .. 5
  std::string Coating2;
  std::string Coating3;
};

// Information.Dat: one line of product information.
struct TSf6DataInformation {
  int32_t ProductType = 0; // 1: 0 a lens, otherwise an option
  std::string Code;        // 2
  TSf6InfoType InfoType{}; // 3
  int32_t LineNumber = 0;  // 4
  std::string Text;        // 5
};

// OrderOptions.Dat: an order field a product needs.
struct TSf6DataOrderOptions {
  int32_t ProductType = 0;         // 1
  std::string Code;                // 2
  TSf6OrderFieldType FieldType{};  // 3
  int32_t Priority = 0;            // 4: 1 by phone/fax, 5 may, 6 must go electronically
};

// ProductGroup.Dat: the product group of a product.
struct TSf6DataProductgroup {
  int32_t ProductType = 0; // 1
  std::string Code;        // 2
  std::string GroupName;   // 3
};

// CodeSubstitution.Dat: an old code replaced by or proposing up to three new ones.
struct TSf6DataCodeSubst {
  int32_t ProductType = 0;    // 1
  std::string OldCode;        // 2
  TSf6SubstAction Action{};   // 3
  std::string NewCode1;       // 4 .. 6
  std::string NewCode2;
  std::string NewCode3;
};

// The header values written to Head.dat, in the order of its lines.
struct TSf6DataHead {
  std::string Version;
  std::string SoftwareId;
  std::string Comment;
  std::string UidManufacturer;
  std::string UidPostedit;
  TDateTime ValidFrom = 0;
  TDateTime ValidUntil = 0;
  std::string Country;
  std::string Language;
  std::string ManufacturerCode;
  std::string ManufacturerSubcode;
  std::string ManufacturerName;
  std::string Street;
  std::string ZipCode;
  std::string City;
  std::string PoBoxZipCode;
  std::string PoBoxText;
  std::string Phone;
  std::string Fax;
  std::string PhoneOrder;
  std::string FaxOrder;
  std::string Mail;
  std::string Url;
  bool PriceDefinitionCylinder = false;
  int32_t CylinderGroupBase = 0;
  int32_t CylinderGroup1 = 0;
  int32_t CylinderGroup2 = 0;
  std::array<int32_t, 5> PrismGroup{};
  std::string CurrencyDescription;
  std::string CurrencyDescriptionDecimals;
  std::array<TSf6PriceType, 5> PriceField{};
  std::array<std::string, 5> PriceFieldDescription;
  int32_t Characterset = 0;
};

} // namespace sf6
