#pragma once

// What the benchmarks' bare baselines share: libcurl with nothing of the driver around it.

#include <curl/curl.h>

#include <string>

namespace Bench {

/// A libcurl write callback that appends what arrives to the std::string given as its data.
inline size_t AppendToString(char* in_data, size_t in_size, size_t in_count, void* io_reply)
{
    static_cast<std::string*>(io_reply)->append(in_data, in_size * in_count);
    return in_size * in_count;
}

/// One POST of in_body to in_url on a fresh handle, with no proxy; the reply's body goes to
/// out_reply. Returns whether the transfer succeeded.
inline bool PostOnce(const std::string& in_url, const std::string& in_body, std::string& out_reply)
{
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, in_url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, in_body.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &AppendToString);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &out_reply);
    const CURLcode code = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return code == CURLE_OK;
}

} // namespace Bench
