#pragma once

#include <curl/curl.h>
#include <memory>

namespace asv {

// libcurl's handles, freed by their own functions when they go out of scope.
struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(curl_mime* m) const { curl_mime_free(m); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

using CurlEasy = std::unique_ptr<CURL, CurlDeleter>;
using CurlMime = std::unique_ptr<curl_mime, CurlDeleter>;
using CurlList = std::unique_ptr<curl_slist, CurlDeleter>;

} // namespace asv
