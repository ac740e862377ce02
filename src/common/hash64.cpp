#include "common/hash64.h"

#include <new>
#include <xxhash.h>

namespace lexicana {

std::uint64_t Hash64(std::string_view bytes, std::uint64_t seed)
{
    return XXH64(bytes.data(), bytes.size(), seed);
}

struct Hash64Stream::State {
    XXH64_state_t* xxh = XXH64_createState();
    ~State() { XXH64_freeState(xxh); }
};

Hash64Stream::Hash64Stream(std::uint64_t seed)
    : state_(std::make_unique<State>())
{
    if (state_->xxh == nullptr)
        throw std::bad_alloc();
    XXH64_reset(state_->xxh, seed);
}

Hash64Stream::~Hash64Stream() = default;

void Hash64Stream::Add(std::string_view bytes)
{
    XXH64_update(state_->xxh, bytes.data(), bytes.size());
}

std::uint64_t Hash64Stream::Value() const
{
    return XXH64_digest(state_->xxh);
}

} // namespace lexicana
