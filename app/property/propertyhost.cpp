#include "property/propertyhost.h"

#include "services/services.h"

namespace property {

QStringList TPropertyHost::ScreenFontNames() const { return app::Services().ScreenFontNames(); }

}  // namespace property
