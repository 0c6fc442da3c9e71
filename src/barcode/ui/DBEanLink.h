#pragma once

// The data link of TDBEan, kept apart from the engine's header: it reports the linked field's
// value as text whenever the link says it may have changed and the field exists.

#include <functional>
#include <memory>
#include <string>

namespace etikor {

class TDataSource;

class TDBEanLink {
public:
    explicit TDBEanLink(std::function<void(const std::string&)> onValue);
    ~TDBEanLink();
    TDBEanLink(const TDBEanLink&) = delete;
    TDBEanLink& operator=(const TDBEanLink&) = delete;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    const std::string& FieldName() const;
    void SetFieldName(std::string name);
    // Reports the field's value again (the owner's object replaced its text).
    void Refresh();
    // Stops the reports (before the owner goes).
    void Detach();

private:
    struct Impl;
    std::unique_ptr<Impl> F;
};

} // namespace etikor
