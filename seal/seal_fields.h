#pragma once
// The seal's stored fields, one row each in the order the seal block stores them: where the
// block keeps the field, the property it is, and how to read and set it. The seal block, the
// property window and copying a seal's design all read this one table.

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "seal/seal.h"

namespace seal {

template <class T>
struct TFieldAccess {
  using Value = T;
  TArg<T> (TSeal::*Get)() const;
  void (TSeal::*Set)(TArg<T>);
  // The field itself, written directly only when a whole stored design is put back.
  T TSeal::*Stored = nullptr;
};

// One alternative per stored type; a field's value uses the alternative of its accessor.
using TFieldAccessor =
    std::variant<TFieldAccess<TSealType>, TFieldAccess<platform::TColor>, TFieldAccess<platform::TBrushStyle>,
                 TFieldAccess<bool>, TFieldAccess<float>, TFieldAccess<int>, TFieldAccess<TFrameType>,
                 TFieldAccess<TFaceName>>;
using TFieldValue =
    std::variant<TSealType, platform::TColor, platform::TBrushStyle, bool, float, int, TFrameType, TFaceName>;

struct TSealField {
  // Where the seal block's record keeps the field.
  uint16_t Offset;
  // The property's name, as the seal's getter is called.
  std::string_view Name;
  TFieldAccessor Access;
  // Integers outside these bounds cannot be stored (only the cut-line count has any).
  int Min = std::numeric_limits<int>::min();
  int Max = std::numeric_limits<int>::max();
};

// Every stored field, in stored order, which is also the order the fields are set in.
std::span<const TSealField> SealFields();
// The field of that property; nullptr for a name the table does not hold.
const TSealField* FindSealField(std::string_view name);

TFieldValue GetField(const TSeal& seal, const TSealField& field);
// Through the field's setter, with all its side effects; the value holds the field's type.
void SetField(TSeal& seal, const TSealField& field, const TFieldValue& value);
// Bytes the field takes in the record.
size_t FieldWidth(const TSealField& field);

// One stored value of a design, for the field it belongs to.
struct TStoredField {
  const TSealField* Field;
  TFieldValue Value;
};

// Every stored field of the seal as it stands, in stored order.
std::vector<TStoredField> StoredFields(const TSeal& seal);

// Applies a stored design to a seal at its current scale: each value through its setter in
// the order given (stored order), so that every setter's side effects happen as they do when
// the user sets the value; then each value that a later setter derived again from others is
// put back as stored, since the stored values are where those side effects led when the seal
// was made, and re-deriving them at another scale or from another starting state does not
// always lead there again; then the pixel bounds follow from the stored millimetres. The cut
// lines are built once, when the caller's update ends, or here when there is none.
void ApplyStoredFields(TSeal& seal, std::span<const TStoredField> values);

// The six strings stored after the record, in stored order.
struct TSealString {
  std::string_view Name;
  TFieldAccess<std::string> Access;
};
std::span<const TSealString> SealStrings();

// Dest takes every design property of Src as a seal read from a block takes it
// (ApplyStoredFields), then a copy of Src's picture.
// Zoom and PixelsPerMm are not copied: the caller sets them on Dest first, so that the centre
// setters place Dest in pixels of the caller's resolution.
void CopySealProperties(TSeal& dest, const TSeal& src);

// Where the geometry of a seal sits in the record.
inline constexpr uint16_t kRealWidthOffset = 21;
inline constexpr uint16_t kRealHeightOffset = 25;
inline constexpr uint16_t kRealCenterXOffset = 287;
inline constexpr uint16_t kRealCenterYOffset = 291;

}  // namespace seal
