// Pages of documents built in code, for the page writer's tests: the whole page, its body's text
// alone, one rule of its style sheet, and pages stored in tests/fixtures/pages/ compared byte for
// byte (VELLUMINE_UPDATE_PAGES=1 in the environment writes them anew, so that a change of the
// output shows as a diff of the stored page).
#pragma once
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "docx/model.h"
#include "docx/warnings.h"
#include "render/changes_view.h"

namespace vellumine::test {

// The page with notes, comments, headers and footers, its title "Test".
// Tracked changes shown as changes says.
std::string renderWholePage(const docx::Document& document, docx::Warnings* warnings = nullptr,
                            render::ChangesView changes = render::ChangesView::markup);

// What the first section holds: the page's text between the section's start tag and its end,
// without the header and the lists after the body (for a one-section document).
std::string renderBody(const docx::Document& document, render::ChangesView changes = render::ChangesView::markup);

// The declarations of ".name{...}" in the page's style sheet, or "(no rule)".
std::string cssRule(std::string_view page, std::string_view name);

// Compares page with tests/fixtures/pages/<name>.html, or writes it there when asked to.
::testing::AssertionResult SameStoredPage(std::string_view name, const std::string& page);
// The same for any text stored there under its whole file name ("chart-columns.svg").
::testing::AssertionResult SameStoredFile(std::string_view fileName, const std::string& text);

}  // namespace vellumine::test
