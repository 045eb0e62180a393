#pragma once

// The start and stop operations of the battery reader, which the main window owns and the profile write
// calls around its reports. Without one installed both calls do nothing.
class BatteryControl {
public:
    virtual ~BatteryControl() = default;
    virtual void stopBatteryThread() = 0;
    virtual void startBatteryThread() = 0;

    static void install(BatteryControl *control);
    static void stop();
    static void start();
};
