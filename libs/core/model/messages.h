// The texts the core hands to the user: questions, warnings and errors.
// Each is an English format in which %1, %2 ... stand for inserted values,
// so that the editor can find the format again in a finished text and show
// it in the user's language; the command line prints the English text.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// Marks a text for the editor's translation tools; the context is always
// "core".
#define BS_CORE_TEXT(context, text) text

namespace bs::msg {

// ---- files ----
inline constexpr const char* kNotABoardsmithFile = BS_CORE_TEXT("core", "\"%1\" is not a Boardsmith file.");
inline constexpr const char* kNewerVersion =
    BS_CORE_TEXT("core",
                 "\"%1\" was created with a newer version of Boardsmith (Version %2).\r"
                 "Your version of Boardsmith is not able to open this file.");
inline constexpr const char* kCannotRead = BS_CORE_TEXT("core", "The file \"%1\" can not be read.");
inline constexpr const char* kDamaged = BS_CORE_TEXT("core", "The file \"%1\" is damaged or incomplete.");
inline constexpr const char* kCannotWrite = BS_CORE_TEXT("core", "The file \"%1\" can not be written.");
inline constexpr const char* kCannotDelete = BS_CORE_TEXT("core", "Could not delete file \"%1\".");
inline constexpr const char* kKeepOriginal =
    BS_CORE_TEXT("core",
                 "The file will be saved with the new file extension \".bsm6\".\r\r"
                 "Do you want to keep the older original file?");
inline constexpr const char* kOldLayers =
    BS_CORE_TEXT("core",
                 "This layout was create with an older version.\r\rThe elements on the copper-layer C1 and C2 "
                 "will be exchanged,\rbecause of the new layer-structure.");
inline constexpr const char* kLoadingMacros = BS_CORE_TEXT("core", "Laoding macros...\r%1");
inline constexpr const char* kCannotRename = BS_CORE_TEXT("core", "Cannot rename file.");
inline constexpr const char* kNotARegularFile = BS_CORE_TEXT("core", "\"%1\" is not a file that can be opened.");
// The system's reason follows the path.
inline constexpr const char* kCannotWriteBecause = BS_CORE_TEXT("core", "The file \"%1\" can not be written:\r%2");
inline constexpr const char* kCoordinateDoesNotFit =
    BS_CORE_TEXT("core", "The position %1 mm does not fit the number format of the file \"%2\".");

// ---- project and boards ----
inline constexpr const char* kSaveChanges = BS_CORE_TEXT("core", "Save changes?");
inline constexpr const char* kLastBoard = BS_CORE_TEXT("core", "A project must at least contains one board.");
inline constexpr const char* kBoardNameEmpty = BS_CORE_TEXT("core", "The board needs a name.");
inline constexpr const char* kRemoveOutside = BS_CORE_TEXT(
    "core", "%1 element(s) lie wholly outside the working space and will be deleted when saving.\r\rContinue?");
inline constexpr const char* kDeleteInnerLayers =
    BS_CORE_TEXT("core", "All elements on the inner layer I1 and I2 will be deleted.\r\rContinue ?");
inline constexpr const char* kBoardAdded = BS_CORE_TEXT("core", "A new Board named \"%1\" was added.");
inline constexpr const char* kBoardTooBig = BS_CORE_TEXT("core", "The board is too big!");
inline constexpr const char* kWidthRange = BS_CORE_TEXT("core", "The width must lie between %1 mm and %2 mm.");
inline constexpr const char* kHeightRange = BS_CORE_TEXT("core", "The height must lie between %1 mm and %2 mm.");
inline constexpr const char* kDistanceRange = BS_CORE_TEXT("core", "The distance must lie between %1 mm and %2 mm.");
inline constexpr const char* kDiameterRange = BS_CORE_TEXT("core", "The diameter must lie between %1 mm and %2 mm.");

// ---- connections ----
inline constexpr const char* kRubberBandCounts =
    BS_CORE_TEXT("core", "%1 connections (rubberbands) removed.\r%2 connections (rubberbands) remaining.");

// ---- design rule check: the line of each finding, the count after a run ----
inline constexpr const char* kDrcCopperDistance = BS_CORE_TEXT("core", "Copper too close to other copper");
inline constexpr const char* kDrcPlaneGap = BS_CORE_TEXT("core", "Gap to the ground plane too small");
inline constexpr const char* kDrcDrillDistance = BS_CORE_TEXT("core", "Drillings too close together");
inline constexpr const char* kDrcDrillSmall = BS_CORE_TEXT("core", "Drilling too small");
inline constexpr const char* kDrcDrillLarge = BS_CORE_TEXT("core", "Drilling too large");
inline constexpr const char* kDrcTrackThin = BS_CORE_TEXT("core", "Track too thin");
inline constexpr const char* kDrcRingSmall = BS_CORE_TEXT("core", "Annular ring too small");
inline constexpr const char* kDrcSilkOnPad = BS_CORE_TEXT("core", "Silkscreen over pad");
inline constexpr const char* kDrcDrillOnSmd = BS_CORE_TEXT("core", "Drilling on SMD pad");
inline constexpr const char* kDrcPadNoMask = BS_CORE_TEXT("core", "Pad without soldermask");
inline constexpr const char* kDrcMaskOffPad = BS_CORE_TEXT("core", "Non-pad with soldermask");
inline constexpr const char* kDrcSilkThin = BS_CORE_TEXT("core", "Silkscreen too thin");
inline constexpr const char* kDrcCount = BS_CORE_TEXT("core", "%1 errors");

// ---- macro library and text exchange ----
inline constexpr const char* kMacroNotLoaded = BS_CORE_TEXT("core", "The macro can not be loaded.");
inline constexpr const char* kMacroNameExists = BS_CORE_TEXT("core", "\"%1\" already exists.");
inline constexpr const char* kDeleteMacroFile = BS_CORE_TEXT("core", "Delete file \"%1\" ?");
inline constexpr const char* kNoElementsOnBoard = BS_CORE_TEXT("core", "There are no elements on the board.");
inline constexpr const char* kSaveWholeLayout =
    BS_CORE_TEXT("core", "No objects selected.\rSave whole layout as macro?");
inline constexpr const char* kNoValidTextData = BS_CORE_TEXT("core", "No valid data found.");

// ---- components ----
inline constexpr const char* kMacroSeveralComponents = BS_CORE_TEXT(
    "core", "The macro consists of more than 1 component.\rA separate editing of the components is not possible.");
inline constexpr const char* kCreateComponentQuestion =
    BS_CORE_TEXT("core", "Do you want to create a component from the selected elements ?");
inline constexpr const char* kApplyToAllComponents =
    BS_CORE_TEXT("core", "Apply changes for all selected components ?");
inline constexpr const char* kDisintegrateQuestion = BS_CORE_TEXT(
    "core", "Disintegrate the component?\rIts ID and value labels and its pick-and-place data are deleted.");
inline constexpr const char* kTooManyComponents =
    BS_CORE_TEXT("core", "The board already holds 32767 components; no further component can be made.");

// ---- texts ----
inline constexpr const char* kTextNotGenerated = BS_CORE_TEXT("core", "The text could not be generated.");

// ---- grids ----
inline constexpr const char* kGridTooSmall = BS_CORE_TEXT("core", "The grid must be at least 0.001 mm.");
inline constexpr const char* kGridTooLarge = BS_CORE_TEXT("core", "The grid must not be larger than 10 mm.");
inline constexpr const char* kGridDigits = BS_CORE_TEXT("core", "The grid must be a number with at most six digits.");

// Every format above, for the editor's lookup.
const std::vector<const char*>& AllFormats();

}  // namespace bs::msg

namespace bs {
// The format with %1, %2 ... replaced by the values in order.
std::string FormatMessage(const char* format, std::initializer_list<std::string> values = {});
}  // namespace bs
