#pragma once

// Every korvane.* category writes its debug lines when the environment sets KORVANE_DEBUG=1; otherwise
// they stay off unless QT_LOGGING_RULES turns some on. QT_LOGGING_RULES is applied after these rules,
// so it can still switch a category off again. Each program calls this once from its main().
void applyDebugSwitch();
