#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace vask_actions {

// Who did what an outgoing context describes, with the hue (degrees) the desktop tints them with.
struct ActionAuthor {
    std::string display_name;
    double hue_degrees = 0;
    friend bool operator==(const ActionAuthor&, const ActionAuthor&) = default;
};

// What an app hands the desktop about something the user is acting on (for example a file
// version passed on to another program): the app, the kind of resource, a display text, an
// optional time and author, and named facets whose meaning the receiving side knows.
class ActionContext {
  public:
    ActionContext(std::string app_id, std::string app_title, std::string resource_kind);

    const std::string& app_id() const { return m_app_id; }
    const std::string& app_title() const { return m_app_title; }
    const std::string& resource_kind() const { return m_resource_kind; }
    const std::string& text() const { return m_text; }
    const std::optional<std::chrono::system_clock::time_point>& time() const { return m_time; }
    const std::optional<ActionAuthor>& author() const { return m_author; }
    // Facets in the order they were first attached.
    const std::vector<std::pair<std::string, nlohmann::json>>& facets() const { return m_facets; }
    // The facet with that name, or null.
    const nlohmann::json* facet(std::string_view name) const;

    // Builders: each returns the context with that part set. A facet attached under a name
    // already present replaces the earlier value in its place.
    ActionContext with_facet(std::string name, nlohmann::json value) const&;
    ActionContext with_facet(std::string name, nlohmann::json value) &&;
    ActionContext with_text(std::string text) const&;
    ActionContext with_text(std::string text) &&;
    ActionContext with_time(std::chrono::system_clock::time_point time) const&;
    ActionContext with_time(std::chrono::system_clock::time_point time) &&;
    ActionContext with_author(ActionAuthor author) const&;
    ActionContext with_author(ActionAuthor author) &&;

    // The context as one JSON object (snake-case keys, time in milliseconds since 1970).
    nlohmann::json to_json() const;

    friend bool operator==(const ActionContext&, const ActionContext&) = default;

  private:
    std::string m_app_id;
    std::string m_app_title;
    std::string m_resource_kind;
    std::string m_text;
    std::optional<std::chrono::system_clock::time_point> m_time;
    std::optional<ActionAuthor> m_author;
    std::vector<std::pair<std::string, nlohmann::json>> m_facets;
};

} // namespace vask_actions
