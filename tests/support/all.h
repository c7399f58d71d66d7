// The whole test-support library in one include: a fresh %LOCALAPPDATA%
// (appdata.h), pumping (pump.h), real input
// (input.h), pixels (pixels.h), test windows (forms.h), modal answering
// (modal.h), timer scripts inside modal loops (script.h), the error-recording
// fixture (fixture.h) and the one for an injected platform (platform.h:
// monitors, DPI), the expected texts and language (texts.h), the
// clipboard (clipboard.h), a chart of position-coloured pixels
// (pattern_chart.h) and the accessibility services' recorder (accessibility.h). Every name is in namespace tktest; advanced_access.h (the
// advanced view's private parts) is included on its own where needed.
#pragma once

#include "support/accessibility.h"
#include "support/appdata.h"
#include "support/clipboard.h"
#include "support/fixture.h"
#include "support/forms.h"
#include "support/input.h"
#include "support/modal.h"
#include "support/pattern_chart.h"
#include "support/pixels.h"
#include "support/platform.h"
#include "support/pump.h"
#include "support/script.h"
#include "support/texts.h"
