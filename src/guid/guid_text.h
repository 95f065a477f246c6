// One new GUID as text, in the case and brace form the run asks for.
#pragma once

#include <string>

// Every call creates a new GUID: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" by default.
std::u16string NewGuidText();
