; Stand-in for sixtests.exe as a DOS program (an MZ executable), run under dosbox.
;
; It takes the keys of the SixTests keystroke script from the keyboard, in order:
; Alt+F, O, the path of the input file and Enter, Enter (closing the note that
; the file was read), Alt+F, F, the path of the 3-D file and Enter. It reads the
; input file and writes the 3-D file: "3-D mirror from ", the typed input path,
; CR LF, then the input file's bytes. Any other key where one of these is due,
; an input file that can't be opened, a 3-D file that can't be written, or a
; minute without a key ends it at once with a message and exit code 1, so
; nothing is written then.
;
; It uses the mouse driver, as a DOS program with menus does, so that a click
; into dosbox's window captures the mouse.
;
; What it took and did goes to STANDIN.LOG in the current folder, for a test
; that fails to see why.
;
; Assembled by nasm as a flat binary with its own MZ header: the header is four
; paragraphs long, and the code and data segment starts four paragraphs before
; the image, so the labels below are file offsets and need no relocations.

        bits 16
        cpu 8086
        org 0

HEADER_PARAS equ 4
STACK_BYTES  equ 1024
PATH_MAX     equ 120
DATA_MAX     equ 8192
%ifndef KEY_WAIT_TICKS
%define KEY_WAIT_TICKS 1092             ; a minute
%endif

header:
        db 'MZ'
        dw (file_end - header) % 512            ; bytes in the last page
        dw (file_end - header + 511) / 512      ; pages
        dw 0                                    ; relocations
        dw HEADER_PARAS
        dw (STACK_BYTES + DATA_MAX + 2 * PATH_MAX + 15) / 16 + 16  ; extra paragraphs needed
        dw 0xffff                               ; extra paragraphs wanted
        dw -HEADER_PARAS                        ; SS
        dw stack_top                            ; SP
        dw 0                                    ; checksum
        dw start                                ; IP
        dw -HEADER_PARAS                        ; CS
        dw 0x40                                 ; relocation table
        dw 0                                    ; overlay
        times HEADER_PARAS * 16 - ($ - $$) db 0

start:
        mov ax, cs
        mov ds, ax
        mov es, ax
        mov dx, log_name                ; the log, made new
        xor cx, cx
        mov ah, 0x3c
        int 0x21
        jnc .log_open
        mov ax, -1
.log_open:
        mov [log_handle], ax

        mov dx, title_text
        call show_text
        xor ax, ax                      ; the mouse driver: reset
        int 0x33
        mov ax, 1                       ; and its cursor shown
        int 0x33

        mov ax, 0x2100                  ; Alt+F
        call expect_key
        mov al, 'o'
        call expect_letter
        mov di, input_path
        call read_line
        mov si, open_text
        mov di, input_path
        call log_line

        mov dx, input_path              ; read the input file whole
        mov ax, 0x3d00
        int 0x21
        jc cannot_open
        mov bx, ax
        mov dx, file_data
        mov cx, DATA_MAX
        mov ah, 0x3f
        int 0x21
        jc cannot_open
        mov [data_length], ax
        mov ah, 0x3e
        int 0x21

        mov dx, read_text
        call show_text
        mov ax, 0x1c0d                  ; Enter closes the note
        call expect_key

        mov ax, 0x2100                  ; Alt+F
        call expect_key
        mov al, 'f'
        call expect_letter
        mov di, output_path
        call read_line
        mov si, write_text
        mov di, output_path
        call log_line

        mov dx, output_path             ; the 3-D file
        xor cx, cx
        mov ah, 0x3c
        int 0x21
        jc cannot_write
        mov bx, ax
        mov dx, from_text
        mov cx, from_text_end - from_text
        call write_checked
        mov di, input_path
        call length_of
        mov dx, input_path
        call write_checked
        mov dx, crlf
        mov cx, 2
        call write_checked
        mov dx, file_data
        mov cx, [data_length]
        call write_checked
        mov ah, 0x3e
        int 0x21
        jc cannot_write
        mov si, done_text
        mov di, output_path
        call log_line
        xor al, al
        jmp finish

cannot_open:
        mov si, cannot_open_text
        mov di, input_path
        jmp fail
cannot_write:
        mov si, cannot_write_text
        mov di, output_path
fail:
        call log_line
        mov dx, si
        call show_asciiz
        mov dx, di
        call show_asciiz
        mov al, 1
finish:
        push ax
        mov bx, [log_handle]
        cmp bx, -1
        je .closed
        mov ah, 0x3e
        int 0x21
.closed:
        pop ax
        mov ah, 0x4c
        int 0x21

; Waits for a key: AX = its scan code and character. A minute without one ends
; the program, so a test whose keys went astray leaves nothing running.
get_key:
        call bios_ticks
        mov bx, ax
.poll:
        mov ah, 1
        int 0x16
        jnz .key
        call bios_ticks
        sub ax, bx
        cmp ax, KEY_WAIT_TICKS
        jb .poll
        mov si, no_key_text
        mov di, empty_text
        jmp fail
.key:
        xor ah, ah
        int 0x16
        ret

; AX = the BIOS's count of timer ticks (18.2 a second).
bios_ticks:
        push es
        mov ax, 0x40
        mov es, ax
        mov ax, [es:0x6c]
        pop es
        ret

; Waits for a key; it must be AX (scan code and character) or the program fails.
expect_key:
        push ax
        call get_key
        pop dx
        cmp ax, dx
        jne unexpected_key
        ret

; Waits for a key; it must be the letter AL (lower case) or its capital.
expect_letter:
        push ax
        call get_key
        pop dx
        or al, 0x20
        cmp al, dl
        jne unexpected_key
        ret

unexpected_key:
        mov di, key_hex + 4             ; the key as four hex digits
        mov cx, 4
.digit:
        dec di
        mov bl, al
        and bl, 0x0f
        add bl, '0'
        cmp bl, '9'
        jbe .put
        add bl, 'a' - '9' - 1
.put:
        mov [di], bl
        push cx
        mov cl, 4
        shr ax, cl
        pop cx
        loop .digit
        mov si, unexpected_text
        mov di, key_hex
        jmp fail

; Reads typed characters up to Enter into DI as an ASCIIZ text, showing them.
read_line:
        xor cx, cx
.next:
        call get_key
        cmp al, 13
        je .end
        cmp al, 8
        jne .keep
        jcxz .next
        dec di
        dec cx
        jmp .next
.keep:
        or al, al
        jz .next                        ; a key without a character
        cmp cx, PATH_MAX - 1
        jae .next
        stosb
        inc cx
        mov dl, al
        mov ah, 2
        int 0x21
        jmp .next
.end:
        mov byte [di], 0
        mov dx, crlf_dollar
        call show_text
        ret

; Writes CX bytes at DX to the file BX; a failure is the program's failure.
write_checked:
        mov ah, 0x40
        int 0x21
        jc .failed
        cmp ax, cx
        jne .failed
        ret
.failed:
        pop ax
        jmp cannot_write

; CX = the length of the ASCIIZ text at DI.
length_of:
        xor cx, cx
.next:
        cmp byte [di], 0
        je .end
        inc di
        inc cx
        jmp .next
.end:
        ret

; Writes the ASCIIZ texts SI and DI and a line end to the log.
log_line:
        push si
        push di
        mov bx, [log_handle]
        cmp bx, -1
        je .end
        push di
        mov di, si
        call length_of
        mov dx, si
        mov ah, 0x40
        int 0x21
        pop di
        mov dx, di
        call length_of
        mov ah, 0x40
        int 0x21
        mov dx, crlf
        mov cx, 2
        mov ah, 0x40
        int 0x21
.end:
        pop di
        pop si
        ret

; Shows the "$"-terminated text at DX.
show_text:
        mov ah, 9
        int 0x21
        ret

; Shows the ASCIIZ text at DX.
show_asciiz:
        push si
        mov si, dx
.next:
        lodsb
        or al, al
        jz .end
        mov dl, al
        mov ah, 2
        int 0x21
        jmp .next
.end:
        pop si
        ret

title_text        db 'SixTests stand-in for DOS', 13, 10, '$'
read_text         db 'Input file read. Press Enter.', 13, 10, '$'
crlf_dollar       db 13, 10, '$'
crlf              db 13, 10
from_text         db '3-D mirror from '
from_text_end:
log_name          db 'STANDIN.LOG', 0
open_text         db 'open ', 0
write_text        db '3d ', 0
done_text         db 'written ', 0
cannot_open_text  db 'cannot open ', 0
cannot_write_text db 'cannot write ', 0
unexpected_text   db 'unexpected key ', 0
key_hex           db '0000', 0
no_key_text       db 'no key within a minute', 0
empty_text        db 0
log_handle        dw -1
data_length       dw 0

file_end:

; Beyond the file: the memory the header asks for.
input_path  equ file_end
output_path equ input_path + PATH_MAX
file_data   equ output_path + PATH_MAX
stack_top   equ ((file_end - header) + 2 * PATH_MAX + DATA_MAX + STACK_BYTES) & 0xfffe
