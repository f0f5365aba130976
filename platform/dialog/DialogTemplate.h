#pragma once

#include <span>

namespace kelvora {

/// The kinds of control a dialog template can hold.
enum class ControlKind { kPushButton, kEdit, kCheckBox, kRadioButton, kStatic, kGroupBox, kIcon };

/// Style facts of a control, as bits.
enum ControlStyle : unsigned {
  kStyleNone = 0,
  kStyleTabStop = 1u << 0,
  kStyleGroup = 1u << 1,       ///< starts a group (radio groups end at the next one)
  kStyleDefault = 1u << 2,     ///< the default push button
  kStyleHidden = 1u << 3,
  kStyleReadOnly = 1u << 4,
  kStyleBorder = 1u << 5,
  kStyleAutoHScroll = 1u << 6,
  kStyleCentre = 1u << 7,
  kStyleAuto = 1u << 8,        ///< an automatic check box or radio button: a click changes its own state
};

/// A rectangle in dialog units.
struct DialogRect {
  int x = 0, y = 0, cx = 0, cy = 0;
};

/// One control of a template, in template (and tab) order. `text` is UTF-8; an icon's text names its
/// resource.
struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* text;
  DialogRect rect;
  unsigned style;
};

/// A dialog as data: every host draws the same dialog from it.
struct DialogTemplate {
  int id;
  const char* caption;
  const char* fontFace;
  int pointSize;
  int cx, cy;  ///< client size in dialog units
  bool minimizeBox;
  std::span<const ControlTemplate> controls;
};

}  // namespace kelvora
