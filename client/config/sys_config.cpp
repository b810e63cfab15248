// Initial values of the configuration record and the reading and writing of the file `config`.
#include "config/sys_config.h"

#include <cstdio>
#include <cstring>

sys_config_record sys_config;

namespace {

constexpr std::size_t max_recent_kept = 20; // before the new path goes in front

void init_style(text_style &s)
{
    std::memset(&s, 0, sizeof s);
    sys_config_record::set_family(s, "Source Code Pro");
    s.red = 0;
    s.green = 0;
    s.blue = 0;
    s.alpha = 255;
    s.point_size = 12;
}

// Bounds-checked reader over a file image; every read either succeeds whole or fails.
class byte_reader {
public:
    byte_reader(const char *data, std::size_t size) : data_(data), size_(size) {}
    std::size_t remaining() const { return size_ - pos_; }
    bool read_i32(int32_t &v)
    {
        if (remaining() < 4)
            return false;
        uint32_t u = 0;
        for (int i = 0; i < 4; ++i)
            u |= uint32_t(static_cast<unsigned char>(data_[pos_ + i])) << (8 * i);
        pos_ += 4;
        std::memcpy(&v, &u, 4);
        return true;
    }
    bool read_text(std::size_t n, std::string &out)
    {
        if (remaining() < n)
            return false;
        out.assign(data_ + pos_, n);
        pos_ += n;
        return true;
    }

private:
    const char *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Reads one list. False when the list was damaged: the position is then meaningless and
// nothing after it can be trusted.
bool read_list(byte_reader &in, std::list<std::string> &list)
{
    int32_t count = 0;
    if (!in.read_i32(count))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        int32_t len = 0;
        if (!in.read_i32(len) || len < 0)
            return false;
        std::string path;
        // A length beyond what the file still holds is damage, not a request to allocate.
        if (!in.read_text(static_cast<std::size_t>(len), path))
            return false;
        list.push_back(std::move(path));
    }
    return true;
}

void put_i32(std::string &out, int32_t v)
{
    uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
}

void put_list(std::string &out, const std::list<std::string> &list)
{
    put_i32(out, static_cast<int32_t>(list.size()));
    for (const std::string &s : list) {
        put_i32(out, static_cast<int32_t>(s.size()));
        out.append(s);
    }
}

void terminate_text(char *field, std::size_t capacity)
{
    field[capacity - 1] = '\0';
}

} // namespace

void copy_fixed_text(char *dst, std::size_t capacity, const std::string &src)
{
    std::memset(dst, 0, capacity);
    std::size_t n = src.size();
    if (n > capacity - 1) {
        n = capacity - 1;
        // Step back over continuation bytes so no character is cut in half.
        while (n > 0 && (static_cast<unsigned char>(src[n]) & 0xC0) == 0x80)
            --n;
    }
    std::memcpy(dst, src.data(), n);
}

sys_config_record::sys_config_record()
{
    reset();
}

void sys_config_record::reset()
{
    sys_config_fixed &f = fixed();
    std::memset(&f, 0, sizeof f);
    lang = 1;
    icon_size = 32;
    set_ip("127.0.0.1");
    port = 55555;
    view_db = 1;
    view_log = 1;
    view_statusbar = 1;
    view_toolbar = 1;
    h_factor = 1.0f;
    v_factor = 1.6f;
    theme = 0;
    for (auto &table : styles)
        for (text_style &s : table)
            init_style(s);
    show_space = 1;
    as_space = 0;
    tab_width = 4;
    edit_time = 1.0f;
    cursor_width = 1;
    auto_enable = 1;
    least_count = 0;
    only_cmd = 1;
    check_update = 0;
    recent_files.clear();
    open_files.clear();
}

bool sys_config_record::load(const std::string &path)
{
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) {
        std::fputs("load system config failed, use initial config\n", stdout);
        std::fflush(stdout);
        return false;
    }
    std::string image;
    char chunk[8192];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        image.append(chunk, n);
    std::fclose(f);
    load_bytes(image.data(), image.size());
    return true;
}

void sys_config_record::load_bytes(const char *data, std::size_t size)
{
    // A short file overwrites only the bytes it has; the rest keeps its value.
    sys_config_fixed image = fixed();
    const std::size_t fixed_bytes = size < sys_config_fixed_size ? size : sys_config_fixed_size;
    if (fixed_bytes > 0)
        std::memcpy(&image, data, fixed_bytes);
    // Later readers treat these as C strings; a damaged file must not leave them unterminated.
    terminate_text(image.user, sizeof image.user);
    terminate_text(image.ip, sizeof image.ip);
    for (auto &table : image.styles)
        for (text_style &s : table)
            terminate_text(s.family, sizeof s.family);
    fixed() = image;
    if (size <= sys_config_fixed_size)
        return;

    byte_reader in(data + sys_config_fixed_size, size - sys_config_fixed_size);
    if (read_list(in, open_files))
        read_list(in, recent_files);
}

std::string sys_config_record::to_bytes() const
{
    sys_config_fixed image = fixed();
    std::memset(image.pad_2886, 0, sizeof image.pad_2886);
    std::memset(image.pad_2901, 0, sizeof image.pad_2901);
    std::memset(image.pad_2910, 0, sizeof image.pad_2910);
    for (auto &table : image.styles)
        for (text_style &s : table)
            std::memset(s.pad_69, 0, sizeof s.pad_69);
    std::string out(reinterpret_cast<const char *>(&image), sizeof image);
    put_list(out, open_files);
    put_list(out, recent_files);
    return out;
}

void sys_config_record::save(const std::string &path) const
{
    const std::string backup = path + ".bak";
    std::remove(backup.c_str());
    std::rename(path.c_str(), backup.c_str());
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    const std::string image = to_bytes();
    std::fwrite(image.data(), 1, image.size(), f);
    std::fclose(f);
}

text_style *sys_config_record::active_styles()
{
    return styles[(theme >= 0 && theme < theme_count) ? theme : 0];
}

const text_style *sys_config_record::active_styles() const
{
    return styles[(theme >= 0 && theme < theme_count) ? theme : 0];
}

void sys_config_record::add_recent_file(const std::string &path)
{
    recent_files.remove(path);
    if (recent_files.size() > max_recent_kept)
        recent_files.pop_back();
    recent_files.push_front(path);
}

void sys_config_record::add_open_file(const std::string &path)
{
    remove_open_file(path);
    open_files.push_back(path);
}

void sys_config_record::remove_open_file(const std::string &path)
{
    for (auto it = open_files.begin(); it != open_files.end(); ++it) {
        if (*it == path) {
            open_files.erase(it);
            return;
        }
    }
}
