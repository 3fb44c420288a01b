#pragma once
// Creation of every window and report form, once, in the application's fixed order. The entry point
// and the tests both call createForms(); the returned owner destroys them in the reverse order.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class Forms {
  public:
    Forms();
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

  private:
    template <class Form>
    void create(Form*& global);

    std::vector<std::unique_ptr<QObject>> owned_;
    std::vector<std::function<void()>> clear_;
};

// Throws the engine's error when the main database cannot be reached.
std::unique_ptr<Forms> createForms();
