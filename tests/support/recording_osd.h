#pragma once

#include "platform/osd_messenger.h"

#include <QStringList>

// Records the texts of the notifications the window would put on screen, instead of reaching the
// on-screen-display program (which would outlive the test).
struct RecordingOsd : OsdMessenger {
    explicit RecordingOsd(QStringList &texts) : m_texts(texts) {}
    void send(const OsdRecord &record, std::function<void(bool)> done) override {
        m_texts << record.text;
        done(true);
    }
    QStringList &m_texts;
};
