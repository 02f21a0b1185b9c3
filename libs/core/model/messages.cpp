#include "model/messages.h"

namespace bs {

namespace msg {
const std::vector<const char*>& AllFormats() {
  static const std::vector<const char*> all = {
      kNotABoardsmithFile,
      kNewerVersion,
      kCannotRead,
      kDamaged,
      kCannotWrite,
      kCannotDelete,
      kKeepOriginal,
      kOldLayers,
      kLoadingMacros,
      kCannotRename,
      kSaveChanges,
      kLastBoard,
      kDeleteInnerLayers,
      kBoardAdded,
      kBoardTooBig,
      kWidthRange,
      kHeightRange,
      kDistanceRange,
      kDiameterRange,
      kGridTooSmall,
      kGridTooLarge,
      kGridDigits,
      kRubberBandCounts,
      kTextNotGenerated,
      kNotARegularFile,
      kCannotWriteBecause,
      kCoordinateDoesNotFit,
      kBoardNameEmpty,
      kRemoveOutside,
      kDrcCopperDistance,
      kDrcPlaneGap,
      kDrcDrillDistance,
      kDrcDrillSmall,
      kDrcDrillLarge,
      kDrcTrackThin,
      kDrcRingSmall,
      kDrcSilkOnPad,
      kDrcDrillOnSmd,
      kDrcPadNoMask,
      kDrcMaskOffPad,
      kDrcSilkThin,
      kDrcCount,
      kMacroNotLoaded,
      kMacroNameExists,
      kDeleteMacroFile,
      kNoElementsOnBoard,
      kSaveWholeLayout,
      kNoValidTextData,
      kMacroSeveralComponents,
      kCreateComponentQuestion,
      kApplyToAllComponents,
      kDisintegrateQuestion,
      kTooManyComponents,
  };
  return all;
}
}  // namespace msg

std::string FormatMessage(const char* format, std::initializer_list<std::string> values) {
  std::string out;
  for (const char* p = format; *p; ++p) {
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
      const size_t n = size_t(p[1] - '1');
      if (n < values.size()) {
        out += *(values.begin() + n);
        ++p;
        continue;
      }
    }
    out += *p;
  }
  return out;
}

}  // namespace bs
