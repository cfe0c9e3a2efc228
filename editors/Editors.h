// Registers the record editors with the shell's child-window factories, replacing the stand-ins.
#pragma once

namespace editors {
void RegisterEditors();
}
