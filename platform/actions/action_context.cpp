#include "platform/actions/action_context.hpp"

#include <algorithm>

namespace vask_actions {

ActionContext::ActionContext(std::string app_id, std::string app_title, std::string resource_kind)
    : m_app_id(std::move(app_id)), m_app_title(std::move(app_title)),
      m_resource_kind(std::move(resource_kind))
{
}

const nlohmann::json* ActionContext::facet(std::string_view name) const
{
    auto it = std::ranges::find_if(m_facets, [&](const auto& f) { return f.first == name; });
    return it == m_facets.end() ? nullptr : &it->second;
}

ActionContext ActionContext::with_facet(std::string name, nlohmann::json value) const&
{
    return ActionContext(*this).with_facet(std::move(name), std::move(value));
}

ActionContext ActionContext::with_facet(std::string name, nlohmann::json value) &&
{
    auto it = std::ranges::find_if(m_facets, [&](const auto& f) { return f.first == name; });
    if (it != m_facets.end())
        it->second = std::move(value);
    else
        m_facets.emplace_back(std::move(name), std::move(value));
    return std::move(*this);
}

ActionContext ActionContext::with_text(std::string text) const&
{
    return ActionContext(*this).with_text(std::move(text));
}

ActionContext ActionContext::with_text(std::string text) &&
{
    m_text = std::move(text);
    return std::move(*this);
}

ActionContext ActionContext::with_time(std::chrono::system_clock::time_point time) const&
{
    return ActionContext(*this).with_time(time);
}

ActionContext ActionContext::with_time(std::chrono::system_clock::time_point time) &&
{
    m_time = time;
    return std::move(*this);
}

ActionContext ActionContext::with_author(ActionAuthor author) const&
{
    return ActionContext(*this).with_author(std::move(author));
}

ActionContext ActionContext::with_author(ActionAuthor author) &&
{
    m_author = std::move(author);
    return std::move(*this);
}

nlohmann::json ActionContext::to_json() const
{
    nlohmann::json out;
    out["app_id"] = m_app_id;
    out["app_title"] = m_app_title;
    out["resource_kind"] = m_resource_kind;
    out["text"] = m_text;
    if (m_time) {
        auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(m_time->time_since_epoch());
        out["time_ms"] = millis.count();
    }
    if (m_author)
        out["author"] = {{"display_name", m_author->display_name}, {"hue_degrees", m_author->hue_degrees}};
    auto& facets = out["facets"] = nlohmann::json::object();
    for (const auto& [name, value] : m_facets)
        facets[name] = value;
    return out;
}

} // namespace vask_actions
