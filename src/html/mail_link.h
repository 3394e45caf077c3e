// Mail links read as the most lenient mail program reads them.  After the scheme's ':', every '?'
// and every '&' starts a field (the standard splits at the first '?' and then at '&'; some
// programs split at each '?'), and a field's name, up to its first '=', is compared
// percent-decoded and without case.  Only subject, body, cc and bcc may reach a mail program:
// others (attach, attachment and their kin) make some programs attach a local file.
#pragma once
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "html/css_policy.h"  // ByteRange

namespace vellumine::html {

// The ranges to delete from a mail link so that its address and its allowed fields stay, in
// order, and nothing else: each refused field goes with one separator beside it.  The first
// separator stays before the first kept field when it is written as one byte (a reference's
// reading could change with what follows it).  Nothing for a link of another scheme or a mail
// link without refused fields.
//
// url is the link's value as decoded (char_refs.h).  With rawStart (decodeAttributeValueMapped's
// map) the ranges are offsets in the value as written; without it, offsets in url.
std::vector<ByteRange> refusedMailFieldRanges(std::string_view url, std::span<const std::size_t> rawStart = {});

}  // namespace vellumine::html
