// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libmpv, opened when the player first needs it rather than when the program starts.
//
// Linked, libmpv brings FFmpeg and everything FFmpeg links (codec, filter, device and speech
// libraries: dozens of them) into every start, 10-15 MiB of relocations and touched code in a
// program that may sit in the tray all day without playing. The program calls mpv's C API as
// usual; the functions below stand in for libmpv's own and open the library on their first call.
// Without libmpv mpv_create() fails, which the player reports as it reports any failed start.
#include <dlfcn.h>
#include <initializer_list>
#include <mpv/client.h>
#include <mpv/render.h>
#include <mpv/stream_cb.h>

namespace
{
void* Library()
{
    static void* const pLibrary = []() -> void*
    {
        // The run-time name first; the development link where only that is there.
        for (const char* pName : {"libmpv.so.2", "libmpv.so"})
        {
            if (void* p = dlopen(pName, RTLD_NOW | RTLD_LOCAL))
                return p;
        }
        return nullptr;
    }();
    return pLibrary;
}

template <typename F> F Resolve(const char* pName)
{
    void* pLibrary = Library();
    return pLibrary ? reinterpret_cast<F>(dlsym(pLibrary, pName)) : nullptr;
}
} // namespace

// One stand-in: resolves libmpv's function of the same name once, returns FALLBACK without it.
#define VEDRIX_MPV_CALL(name, fallback, ...)                                                                 \
    static const auto pFunction = Resolve<decltype(&name)>(#name);                                           \
    if (!pFunction)                                                                                          \
        return fallback;                                                                                     \
    return pFunction(__VA_ARGS__)

extern "C"
{
    mpv_handle* mpv_create(void)
    {
        VEDRIX_MPV_CALL(mpv_create, nullptr);
    }
    int mpv_initialize(mpv_handle* ctx)
    {
        VEDRIX_MPV_CALL(mpv_initialize, MPV_ERROR_UNINITIALIZED, ctx);
    }
    void mpv_terminate_destroy(mpv_handle* ctx)
    {
        VEDRIX_MPV_CALL(mpv_terminate_destroy, , ctx);
    }
    int mpv_set_option_string(mpv_handle* ctx, const char* name, const char* data)
    {
        VEDRIX_MPV_CALL(mpv_set_option_string, MPV_ERROR_UNINITIALIZED, ctx, name, data);
    }
    int mpv_observe_property(mpv_handle* mpv, uint64_t reply_userdata, const char* name, mpv_format format)
    {
        VEDRIX_MPV_CALL(mpv_observe_property, MPV_ERROR_UNINITIALIZED, mpv, reply_userdata, name, format);
    }
    void mpv_set_wakeup_callback(mpv_handle* ctx, void (*cb)(void* d), void* d)
    {
        VEDRIX_MPV_CALL(mpv_set_wakeup_callback, , ctx, cb, d);
    }
    int mpv_set_property_string(mpv_handle* ctx, const char* name, const char* data)
    {
        VEDRIX_MPV_CALL(mpv_set_property_string, MPV_ERROR_UNINITIALIZED, ctx, name, data);
    }
    int mpv_set_property(mpv_handle* ctx, const char* name, mpv_format format, void* data)
    {
        VEDRIX_MPV_CALL(mpv_set_property, MPV_ERROR_UNINITIALIZED, ctx, name, format, data);
    }
    int mpv_set_property_async(mpv_handle* ctx, uint64_t reply_userdata, const char* name, mpv_format format,
                               void* data)
    {
        VEDRIX_MPV_CALL(mpv_set_property_async, MPV_ERROR_UNINITIALIZED, ctx, reply_userdata, name, format,
                        data);
    }
    int mpv_get_property(mpv_handle* ctx, const char* name, mpv_format format, void* data)
    {
        VEDRIX_MPV_CALL(mpv_get_property, MPV_ERROR_UNINITIALIZED, ctx, name, format, data);
    }
    char* mpv_get_property_string(mpv_handle* ctx, const char* name)
    {
        VEDRIX_MPV_CALL(mpv_get_property_string, nullptr, ctx, name);
    }
    void mpv_free(void* data)
    {
        VEDRIX_MPV_CALL(mpv_free, , data);
    }
    void mpv_free_node_contents(mpv_node* node)
    {
        VEDRIX_MPV_CALL(mpv_free_node_contents, , node);
    }
    mpv_event* mpv_wait_event(mpv_handle* ctx, double timeout)
    {
        VEDRIX_MPV_CALL(mpv_wait_event, nullptr, ctx, timeout);
    }
    int mpv_command(mpv_handle* ctx, const char** args)
    {
        VEDRIX_MPV_CALL(mpv_command, MPV_ERROR_UNINITIALIZED, ctx, args);
    }
    int mpv_command_ret(mpv_handle* ctx, const char** args, mpv_node* result)
    {
        VEDRIX_MPV_CALL(mpv_command_ret, MPV_ERROR_UNINITIALIZED, ctx, args, result);
    }
    int mpv_command_node(mpv_handle* ctx, mpv_node* args, mpv_node* result)
    {
        VEDRIX_MPV_CALL(mpv_command_node, MPV_ERROR_UNINITIALIZED, ctx, args, result);
    }
    int mpv_command_async(mpv_handle* ctx, uint64_t reply_userdata, const char** args)
    {
        VEDRIX_MPV_CALL(mpv_command_async, MPV_ERROR_UNINITIALIZED, ctx, reply_userdata, args);
    }
    int mpv_request_log_messages(mpv_handle* ctx, const char* min_level)
    {
        VEDRIX_MPV_CALL(mpv_request_log_messages, MPV_ERROR_UNINITIALIZED, ctx, min_level);
    }
    const char* mpv_event_name(mpv_event_id event)
    {
        VEDRIX_MPV_CALL(mpv_event_name, "", event);
    }
    const char* mpv_error_string(int error)
    {
        VEDRIX_MPV_CALL(mpv_error_string, "the media player library is missing", error);
    }
    int mpv_render_context_create(mpv_render_context** res, mpv_handle* mpv, mpv_render_param* params)
    {
        VEDRIX_MPV_CALL(mpv_render_context_create, MPV_ERROR_UNINITIALIZED, res, mpv, params);
    }
    void mpv_render_context_set_update_callback(mpv_render_context* ctx, mpv_render_update_fn callback,
                                                void* callback_ctx)
    {
        VEDRIX_MPV_CALL(mpv_render_context_set_update_callback, , ctx, callback, callback_ctx);
    }
    uint64_t mpv_render_context_update(mpv_render_context* ctx)
    {
        VEDRIX_MPV_CALL(mpv_render_context_update, 0, ctx);
    }
    int mpv_render_context_render(mpv_render_context* ctx, mpv_render_param* params)
    {
        VEDRIX_MPV_CALL(mpv_render_context_render, MPV_ERROR_UNINITIALIZED, ctx, params);
    }
    void mpv_render_context_free(mpv_render_context* ctx)
    {
        VEDRIX_MPV_CALL(mpv_render_context_free, , ctx);
    }
    int mpv_stream_cb_add_ro(mpv_handle* ctx, const char* protocol, void* user_data,
                             mpv_stream_cb_open_ro_fn open_fn)
    {
        VEDRIX_MPV_CALL(mpv_stream_cb_add_ro, MPV_ERROR_UNINITIALIZED, ctx, protocol, user_data, open_fn);
    }
}
