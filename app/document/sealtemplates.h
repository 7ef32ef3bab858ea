#pragma once
// The starting design of every drawing tool and seal template, by tool tag, and the factory
// that makes an element of a tag centred on a pressed point of a page.

#include <string>
#include <variant>
#include <vector>

#include "seal/seal.h"

class TKivDrawPanel;

namespace app {

class TDocumentHost;

// One property setting of a template, applied through the element's setter.
struct TTemplateSetting {
  using TFloat = std::pair<void (seal::TSeal::*)(float), float>;
  using TInt = std::pair<void (seal::TSeal::*)(int), int>;
  using TBool = std::pair<void (seal::TSeal::*)(bool), bool>;
  using TText = std::pair<void (seal::TSeal::*)(const std::string&), const char*>;  // UTF-8
  using TFrame = std::pair<void (seal::TSeal::*)(seal::TFrameType), seal::TFrameType>;
  // The tool's picture: from a file the user picks (tag 16) or the selected emblem (41).
  struct TPictureStep {};
  std::variant<TFloat, TInt, TBool, TText, TFrame, TPictureStep> step;

  void ApplyTo(seal::TSeal& element, const platform::TPicture* picture) const;
};

struct TSealTemplate {
  int tag;
  seal::TSealType kind;
  std::vector<TTemplateSetting> settings;  // in the order they are applied
};

// Tags 1 to 41 in order; tags outside have no template.
const std::vector<TSealTemplate>& SealTemplates();
const TSealTemplate* SealTemplate(int tag);

// A face name as the font box's text gives it: its GBK bytes, cut on a character boundary
// to leave the terminator, zero-filled. Characters without a GBK form are left out.
seal::TFaceName FaceNameFromText(const QString& text);
// The one face for the element's four texts and its serial code.
void SetAllFaces(seal::TSeal& element, const seal::TFaceName& face);

// The new element of the tool tag, centred on pixel (x, y) of the page, at the page's zoom
// and pixelsPerMm at 100 %, or nullptr when none is made (the picture dialog cancelled, a
// picture that would not load, no emblem selected). The host gives its face, colour, pop-up
// menu and picture. The element's parent is the page; the caller lists and selects it.
seal::TSeal* CreateSealForTool(TKivDrawPanel* page, float pixelsPerMm, const TDocumentHost& host, int tag, int x,
                               int y);

}  // namespace app
