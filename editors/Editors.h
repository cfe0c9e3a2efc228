// Registers the record editors with the shell's child-window factories.
#pragma once

namespace editors {
void RegisterEditors();
}
