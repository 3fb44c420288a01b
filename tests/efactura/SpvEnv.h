#pragma once
// An environment variable set for the length of a test, restored afterwards.

#include <QByteArray>

namespace kov::test {

class EnvVar {
  public:
    EnvVar(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvVar() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

}  // namespace kov::test
