#pragma once

#include <QTemporaryDir>

// Set up before the application object exists: no display needed
// (offscreen unless a platform is named), and a settings store and program
// folder of our own, so no stored window position, port or automatic-load
// file of the user's takes part and nothing of theirs is touched.
class BenchEnvironment
{
public:
    BenchEnvironment();
    bool isValid() const { return m_dir.isValid(); }
    QString programPath() const;

private:
    QTemporaryDir m_dir;
};
